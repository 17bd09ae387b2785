#pragma once

#include "TestHelpers.h"
#include "plugin/PluginEditor.h"
#include "plugin/PluginProcessor.h"

#include <gtest/gtest.h>

namespace plugin_testing
{
// A program folder of the test's own holding the shipped sets, as a user with the program installed has.
class PluginTest : public ::testing::Test
{
protected:
    PluginTest()
    {
        testing_helpers::shippedDataDirectory().copyDirectoryTo (folder.get().getChildFile ("data"));
    }

    static std::unique_ptr<PluginEditor> makeEditor (PluginProcessor& processor)
    {
        return std::unique_ptr<PluginEditor> (static_cast<PluginEditor*> (processor.createEditor()));
    }

    static juce::MemoryBlock stateOf (PluginProcessor& processor)
    {
        juce::MemoryBlock state;
        processor.getStateInformation (state);
        return state;
    }

    static void restore (PluginProcessor& processor, const juce::MemoryBlock& state)
    {
        processor.setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    }

    // Runs one block of stereo silence with those MIDI messages through the processor.
    static void runBlock (PluginProcessor& processor, juce::MidiBuffer& midi, int numSamples = 512)
    {
        juce::AudioBuffer<float> buffer (2, numSamples);
        buffer.clear();
        processor.processBlock (buffer, midi);
    }

    testing_helpers::ScopedProgramFolder folder;
};
} // namespace plugin_testing
