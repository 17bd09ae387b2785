#pragma once

#include "plugin/BarClock.h"
#include "plugin/DrawSchedule.h"
#include "plugin/DrawTrigger.h"
#include "plugin/InstanceAdvice.h"
#include "plugin/NoteParameter.h"
#include "settings/ConfigFile.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

// The plugin's processor: the sound passes through untouched, and every MIDI note-on of the chosen note (or
// of any note), on any channel, draws a new advice, as do the draw requests, the groups of bars and the
// timer in seconds, whether a window is open or not: a project saved with every window closed keeps the
// advice that was current. The audio thread only counts; a timer on the message thread draws from the sets
// it read there, and the instance's window shows what it drew. The instance keeps the main screen's
// settings, which the host saves with its project, so that each instance has its own, and reports the
// advice as its one program's name.
class PluginProcessor final
    : public juce::AudioProcessor
    , private juce::Timer
{
public:
    PluginProcessor();
    ~PluginProcessor() override;

    // The number of note-ons received since the instance was made, of the note the parameter names or of
    // any note.
    int getNoteOnCount() const { return noteOnCount.load(); }

    // The number of draws asked for by the "Draw" parameter or the draw controller (DrawTrigger).
    int getDrawRequestCount() const { return drawRequestCount.load(); }

    // The number of groups of bars begun while the host played, with the timer following the tempo.
    int getBarDrawCount() const { return barDrawCount.load(); }

    // Draws when the audio thread counted a request or the timer in seconds is due, and tells the host when
    // the advice changed. Reads the sets first when the filters changed. What the instance's timer does 33
    // times a second; the window calls it before it looks, and tests without waiting. Message thread only.
    void handOverDraws();

    // The number of advice the instance has drawn; a window shows the instance's advice again when it has
    // grown.
    int getAdviceDrawCount() const { return adviceDrawCount.load(); }

    // The window's screen has just read the sets: the instance reads them again with it, so that a
    // position means the same advice on both sides, and the screen draws through the instance's shuffle.
    // Message thread only.
    void readSetsWithTheScreen();
    RandomShuffle& getShuffle() { return advice.getShuffle(); }

    // A window of the instance opens or closes: while one is open its screen runs the timer in seconds.
    // Message thread only.
    void screenOpened() { ++screensOpen; }
    void screenClosed() { --screensOpen; }

    // The window's size as the user left it, none until it was resized: the next window opens at it, and
    // the host keeps it with the project.
    std::optional<juce::Rectangle<int>> getEditorSize() const;
    void setEditorSize (juce::Rectangle<int> size);

    // The note that draws an advice, a MIDI note number, or anyNote.
    static constexpr int anyNote = NoteParameter::anyNote;
    NoteParameter& getNoteParameter() { return *noteParameter; }

    // "Draw": a draw each time it is switched on, for a host's automation or MIDI learn.
    juce::AudioParameterBool& getDrawParameter() { return *drawParameter; }

    // The main screen's settings in this instance; the defaults until the screen or the state gives some.
    ConfigFile::Settings getInstanceSettings() const;
    void setInstanceSettings (const ConfigFile::Settings& settings);

    // The number of states the host has restored; the editor hands the settings to its screen again when
    // it has grown.
    int getStateRestoreCount() const { return stateRestoreCount.load(); }

    // The state's version, written in every state so that a later one can still read this one.
    static constexpr int stateVersion = 1;

    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    const juce::String getName() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;
    double getTailLengthSeconds() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

private:
    // Owned by the processor's parameter list.
    NoteParameter* noteParameter = nullptr;
    juce::AudioParameterBool* drawParameter = nullptr;

    std::atomic<int> noteOnCount{ 0 };
    std::atomic<int> drawRequestCount{ 0 };
    DrawTrigger drawTrigger;
    std::atomic<int> stateRestoreCount{ 0 };
    std::atomic<int> barDrawCount{ 0 };
    std::atomic<int> adviceDrawCount{ 0 };
    std::atomic<int> editorWidth{ 0 };
    std::atomic<int> editorHeight{ 0 };

    // The audio thread's copy of the timer's bar count, which it reads without the lock.
    std::atomic<int> timerBars{ 0 };
    BarClock barClock;

    // The host may ask for the state on another thread than the editor's.
    juce::CriticalSection settingsLock;
    ConfigFile::Settings instanceSettings;
    // What getProgramName reports, under the same lock: hosts ask from any thread.
    juce::String programName;

    void timerCallback() override;
    void announceTheAdvice (const ConfigFile::Settings& settings);

    // Message thread only.
    InstanceAdvice advice;
    DrawSchedule drawSchedule;

    struct Announced
    {
        int position = -1;
        int reading = -1;
    };
    Announced announced;
    int screensOpen = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginProcessor)
};
