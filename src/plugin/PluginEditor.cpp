#include "plugin/PluginEditor.h"

#include "plugin/InstanceSettingsStore.h"

PluginEditor::PluginEditor (PluginProcessor& editedProcessor)
    : juce::AudioProcessorEditor (editedProcessor)
    , pluginProcessor (editedProcessor)
    , mainComponent (std::make_unique<InstanceSettingsStore> (editedProcessor))
    , noteOnsSeen (editedProcessor.getNoteOnCount())
    , barDrawsSeen (editedProcessor.getBarDrawCount())
    , stateRestoresSeen (editedProcessor.getStateRestoreCount())
    , settingsHanded (mainComponent.getSettings())
{
    mainComponent.offerBarTimer();
    addAndMakeVisible (mainComponent);
    setResizable (false, false);
    setSize (mainComponent.getWidth(), mainComponent.getHeight());
    // The screen may have drawn another advice than the one kept, when that one is no longer in the sets.
    pluginProcessor.setInstanceSettings (settingsHanded);
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
    lookAtProcessor();
}

void PluginEditor::lookAtProcessor()
{
    const auto stateRestores = pluginProcessor.getStateRestoreCount();

    if (stateRestores != stateRestoresSeen)
    {
        stateRestoresSeen = stateRestores;
        mainComponent.reloadSettings();
    }

    const auto noteOns = pluginProcessor.getNoteOnCount();
    const auto barDraws = pluginProcessor.getBarDrawCount();

    // Several notes or bars between two looks draw one advice: each would replace the one before unread.
    if (noteOns != noteOnsSeen || barDraws != barDrawsSeen)
    {
        noteOnsSeen = noteOns;
        barDrawsSeen = barDraws;
        mainComponent.takeNewAdvice (true, -1);
    }

    // The host may save its project at any moment: the instance keeps the last advice drawn, too.
    const auto settings = mainComponent.getSettings();

    if (settings != settingsHanded)
    {
        settingsHanded = settings;
        pluginProcessor.setInstanceSettings (settings);
    }
}
