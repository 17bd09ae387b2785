#include "plugin/PluginEditor.h"

PluginEditor::PluginEditor (PluginProcessor& editedProcessor)
    : juce::AudioProcessorEditor (editedProcessor)
    , pluginProcessor (editedProcessor)
    , noteOnsSeen (editedProcessor.getNoteOnCount())
{
    addAndMakeVisible (mainComponent);
    setResizable (false, false);
    setSize (mainComponent.getWidth(), mainComponent.getHeight());
    startTimer (notePollMilliseconds);
}

PluginEditor::~PluginEditor()
{
    stopTimer();
}

void PluginEditor::resized()
{
    mainComponent.setBounds (getLocalBounds());
}

void PluginEditor::timerCallback()
{
    const auto noteOns = pluginProcessor.getNoteOnCount();

    if (noteOns == noteOnsSeen)
        return;

    // Several notes between two looks draw one advice: each would replace the one before unread.
    noteOnsSeen = noteOns;
    mainComponent.takeNewAdvice (true, -1);
}
