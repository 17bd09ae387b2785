// The plugin found, made twice and played through, as a host first meets it.

#include "PluginHostTest.h"

#include <cmath>

namespace plugin_host
{
TEST_P (PluginHostTest, findsOnePluginNamedMusewheelerThatTakesMidi)
{
    const auto types = findTypes();
    ASSERT_EQ (types.size(), 1);
    EXPECT_EQ (types[0]->name, "Musewheeler");
    EXPECT_EQ (types[0]->pluginFormatName, GetParam());
    EXPECT_FALSE (types[0]->isInstrument);
}

TEST_P (PluginHostTest, makesTwoInstancesThatTakeMidi)
{
    auto first = createInstance();
    auto second = createInstance();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);
    EXPECT_NE (first.get(), second.get());

    for (auto* instance : { first.get(), second.get() })
    {
        EXPECT_EQ (instance->getName(), "Musewheeler");
        EXPECT_TRUE (instance->acceptsMidi());
        EXPECT_TRUE (instance->hasEditor());
    }
}

TEST_P (PluginHostTest, passesAudioThroughUntouchedWhileANoteArrives)
{
    auto first = createInstance();
    auto second = createInstance();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    for (auto* instance : { first.get(), second.get() })
    {
        instance->prepareToPlay (sampleRate, blockSize);
        ASSERT_EQ (instance->getTotalNumInputChannels(), 2);
        ASSERT_EQ (instance->getTotalNumOutputChannels(), 2);

        for (int block = 0; block < 4; ++block)
        {
            // A different tone in each channel and each block, so a swap or a delay would show.
            juce::AudioBuffer<float> played (2, blockSize);
            for (int channel = 0; channel < 2; ++channel)
                for (int i = 0; i < blockSize; ++i)
                    played.setSample (
                        channel, i,
                        0.5f * std::sin (0.01f * (float) ((block * blockSize + i) * (channel + 1))));

            auto buffer = played;
            if (block == 1)
                playNoteOn (*instance, buffer, 17);
            else
            {
                juce::MidiBuffer noMidi;
                instance->processBlock (buffer, noMidi);
            }

            int changedSamples = 0;
            for (int channel = 0; channel < 2; ++channel)
                for (int i = 0; i < blockSize; ++i)
                    if (buffer.getSample (channel, i) != played.getSample (channel, i))
                        ++changedSamples;
            EXPECT_EQ (changedSamples, 0) << "block " << block;
        }

        instance->releaseResources();
    }
}
} // namespace plugin_host

namespace plugin_host
{
// A host ends instances on its own thread, whatever the plugin's toolkit is doing on its message thread:
// an instance made and ended again and again, at moments its first reading of the sets may still run,
// ends cleanly every time.
TEST_P (PluginHostTest, instancesEndedWhileTheyReadTheirSetsEndCleanly)
{
    juce::Random random (1234);

    for (int round = 0; round < 40; ++round)
    {
        auto instance = createInstance();
        ASSERT_NE (instance, nullptr);
        runMessages (20 + random.nextInt (50));
        instance.reset();
    }
}
} // namespace plugin_host
