#pragma once

#include "plugin/BarClock.h"
#include "plugin/DrawTrigger.h"
#include "plugin/NoteParameter.h"
#include "settings/ConfigFile.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

// The plugin's processor: the sound passes through untouched, and every MIDI note-on of the chosen note (or
// of any note), on any channel, asks the editor for a new advice. The audio thread only counts the notes; the
// editor, on the message thread, compares the count with the one it last saw. The instance keeps the main
// screen's settings, which the host saves with its project, so that each instance has its own.
class PluginProcessor final : public juce::AudioProcessor
{
public:
    PluginProcessor();

    // The number of note-ons received since the instance was made, of the note the parameter names or of
    // any note.
    int getNoteOnCount() const { return noteOnCount.load(); }

    // The number of draws asked for by the "Draw" parameter or the draw controller (DrawTrigger).
    int getDrawRequestCount() const { return drawRequestCount.load(); }

    // The number of groups of bars begun while the host played, with the timer following the tempo.
    int getBarDrawCount() const { return barDrawCount.load(); }

    // The counts the last editor had drawn for when it closed. Notes and bars that came while no editor was
    // open draw one advice when the next one opens, as they would have with the window open. Message thread
    // only.
    struct CountsSeen
    {
        int noteOns = 0;
        int drawRequests = 0;
        int barDraws = 0;
    };
    CountsSeen getCountsSeenByEditor() const { return countsSeenByEditor; }
    void setCountsSeenByEditor (CountsSeen counts) { countsSeenByEditor = counts; }

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
    CountsSeen countsSeenByEditor;

    // The audio thread's copy of the timer's bar count, which it reads without the lock.
    std::atomic<int> timerBars{ 0 };
    BarClock barClock;

    // The host may ask for the state on another thread than the editor's.
    juce::CriticalSection settingsLock;
    ConfigFile::Settings instanceSettings;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginProcessor)
};
