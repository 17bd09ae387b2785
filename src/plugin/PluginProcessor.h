#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

// The plugin's processor: the sound passes through untouched, and every MIDI note-on, on any channel, asks
// the editor for a new advice. The audio thread only counts the notes; the editor, on the message thread,
// compares the count with the one it last saw.
class PluginProcessor final : public juce::AudioProcessor
{
public:
    PluginProcessor();

    // The number of note-ons received since the instance was made.
    int getNoteOnCount() const { return noteOnCount.load(); }

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
    std::atomic<int> noteOnCount{ 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginProcessor)
};
