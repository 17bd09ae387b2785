#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>
#include <optional>

// Follows the host's play head block by block and tells when a block holds the start of a group of bars
// (every 4, 8 or 16 bars from the song's first bar), while the host plays. A host may give the position
// only now and then (an LV2 host sends one when the transport starts, stops, jumps or changes tempo): in
// the blocks between, the clock counts on from the last one by the blocks' lengths.
class BarClock final
{
public:
    // Whether the block of numSamples that starts at that position (none when the host sent none for this
    // block) holds the start of a group of that many bars. Without the host's tempo the block's length is
    // unknown, and the start is seen in the first block at or after it.
    bool blockStartsAGroup (const juce::Optional<juce::AudioPlayHead::PositionInfo>& position, int numSamples,
                            double sampleRate, int barsPerGroup);

    // Playing stopped or the timer changed: the next group start counts again, wherever it is.
    void reset();

private:
    // Where the transport stands at a block's start, in quarter notes, and how it moves.
    struct Transport
    {
        double ppq = 0.0;
        double firstBar = 0.0;
        std::optional<double> bpm;
        juce::AudioPlayHead::TimeSignature signature;
    };

    static std::optional<Transport> transportAt (const juce::AudioPlayHead::PositionInfo& position,
                                                 double sampleRate);
    std::optional<std::int64_t> groupStartIn (const Transport& transport, int numSamples, double sampleRate,
                                              int barsPerGroup);

    std::optional<std::int64_t> lastGroupSeen;
    std::optional<std::int64_t> lastGroupDrawn;
    std::optional<double> lastStart;
    // The transport at the next block's start, counted on from the last position with a tempo.
    std::optional<Transport> next;
};
