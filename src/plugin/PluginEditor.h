#pragma once

#include "main/MainComponent.h"
#include "plugin/PluginProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The plugin's window: the program's main screen, 500 x 350. It draws a new advice when the processor has
// received note-ons since it last looked.
class PluginEditor final
    : public juce::AudioProcessorEditor
    , private juce::Timer
{
public:
    explicit PluginEditor (PluginProcessor& editedProcessor);
    ~PluginEditor() override;

    void resized() override;

    MainComponent& getMainComponent() { return mainComponent; }

private:
    void timerCallback() override;

    static constexpr int notePollMilliseconds = 30;

    PluginProcessor& pluginProcessor;

    MainComponent mainComponent;
    int noteOnsSeen = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginEditor)
};
