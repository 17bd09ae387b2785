#pragma once

#include "dialogs/AsyncMessageDialogs.h"
#include "main/MainComponent.h"
#include "plugin/PluginProcessor.h"
#include "plugin/ProgramLauncher.h"
#include "widgets/QueuedInputPump.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The plugin's window: the program's main screen, 500 x 350 scaled up to twice that with the window, with its
// settings kept in the instance and the timer that follows the host's tempo. It shows the advice the
// instance drew (for notes, draw requests, bars or its timer), and hands the instance's settings to the
// screen when the host has restored a state; the screen keeps its own in the instance through its settings
// store and draws through the instance's shuffle. "Sets edition" starts the installed program, whose window
// no host closes under the editor's questions.
class PluginEditor final
    : public juce::AudioProcessorEditor
    , private juce::Timer
{
public:
    explicit PluginEditor (PluginProcessor& editedProcessor);
    ~PluginEditor() override;

    void resized() override;

    MainComponent& getMainComponent() { return mainComponent; }

    // Where "Sets edition" starts the program; tests put one on a program of their own here.
    void setProgramLauncher (std::unique_ptr<ProgramLauncher> launcher);

    // What the editor does 33 times a second; tests call it without waiting for the timer.
    void lookAtProcessor();

private:
    void timerCallback() override;
    void tellTheHostTheWindowsPlaceAgain();
    void repaintWhenAPopUpHasClosed();
    void editSetsInTheProgram();

    static constexpr int notePollMilliseconds = 30;
    static constexpr int ticksOfTheFirstAnnouncement = 0;
    static constexpr int ticksOfTheLastAnnouncement = 1000 / notePollMilliseconds;

    PluginProcessor& pluginProcessor;

    MainComponent mainComponent;
    AsyncMessageDialogs warnings;
    int ticksShown = 0;
    int popUpsSeen = 0;
    // Timer ticks since the last menu or warning closed, or -1 once the card has been painted again.
    int ticksSinceAPopUpClosed = -1;
    int adviceDrawsSeen = 0;
    bool sizeChosen = false;
    int stateRestoresSeen = 0;
    std::unique_ptr<ProgramLauncher> programLauncher;
    // The card's keys and clicks, as the program's, are not left waiting in the display connection's queue.
    std::unique_ptr<QueuedInputPump> inputPump = QueuedInputPump::startIfNeeded();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginEditor)
};
