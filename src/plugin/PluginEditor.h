#pragma once

#include "app/ProgramFolder.h"
#include "main/MainComponent.h"
#include "plugin/PluginProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The plugin's window: the program's main screen, 500 x 350, working in the plugin's program folder. It
// draws a new advice when the processor has received note-ons since it last looked.
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

    // Declared before the main screen: it reads its sets and settings on construction and writes its
    // settings on destruction, both in the plugin's folder.
    ProgramFolder::ScopedOverride folder;
    MainComponent mainComponent;
    int noteOnsSeen = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginEditor)
};
