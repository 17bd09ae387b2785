#pragma once

#include "main/MainComponent.h"
#include "plugin/PluginProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The plugin's window: the program's main screen, 500 x 350, with its settings kept in the instance and
// the timer that follows the host's tempo. It draws a new advice when the processor has received note-ons
// or counted a group of bars since it last looked, hands the screen's settings to the processor whenever
// they change, and the processor's to the screen when the host has restored a state.
class PluginEditor final
    : public juce::AudioProcessorEditor
    , private juce::Timer
{
public:
    explicit PluginEditor (PluginProcessor& editedProcessor);
    ~PluginEditor() override;

    void resized() override;

    MainComponent& getMainComponent() { return mainComponent; }

    // What the editor does 33 times a second; tests call it without waiting for the timer.
    void lookAtProcessor();

private:
    void timerCallback() override;

    static constexpr int notePollMilliseconds = 30;

    PluginProcessor& pluginProcessor;

    MainComponent mainComponent;
    int noteOnsSeen = 0;
    int barDrawsSeen = 0;
    int stateRestoresSeen = 0;
    ConfigFile::Settings settingsHanded;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginEditor)
};
