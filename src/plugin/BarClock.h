#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>
#include <optional>

// Follows the host's play head block by block and tells when a block holds the start of a group of bars
// (every 4, 8 or 16 bars from the song's first bar), while the host plays.
class BarClock final
{
public:
    // Whether the block of numSamples that starts at that position holds the start of a group of that
    // many bars. Without the host's tempo the block's length is unknown, and the start is seen in the
    // first block at or after it.
    bool blockStartsAGroup (const juce::AudioPlayHead::PositionInfo& position, int numSamples,
                            double sampleRate, int barsPerGroup);

    // Playing stopped or the timer changed: the next group start counts again, wherever it is.
    void reset();

private:
    std::optional<std::int64_t> lastGroupSeen;
    std::optional<std::int64_t> lastGroupDrawn;
    std::optional<double> lastStart;
};
