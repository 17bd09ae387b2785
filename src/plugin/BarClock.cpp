#include "plugin/BarClock.h"

#include <cmath>

namespace
{
// Positions are sums of block lengths in quarter notes: a boundary may come out a hair either side.
constexpr double tolerance = 1.0e-9;

double barLengthOf (juce::AudioPlayHead::TimeSignature signature)
{
    return 4.0 * signature.numerator / signature.denominator;
}
} // namespace

void BarClock::reset()
{
    lastGroupSeen.reset();
    lastGroupDrawn.reset();
    lastStart.reset();
    next.reset();
}

std::optional<BarClock::Transport> BarClock::transportAt (const juce::AudioPlayHead::PositionInfo& position,
                                                          double sampleRate)
{
    Transport transport;
    transport.signature = position.getTimeSignature().orFallback (juce::AudioPlayHead::TimeSignature{});

    if (transport.signature.numerator <= 0 || transport.signature.denominator <= 0)
        return std::nullopt;

    if (const auto bpm = position.getBpm(); bpm.hasValue() && *bpm > 0.0)
        transport.bpm = *bpm;

    const auto barLength = barLengthOf (transport.signature);
    const auto barCount = position.getBarCount();

    if (const auto ppq = position.getPpqPosition())
    {
        transport.ppq = *ppq;

        // The first bar lies where the host says the bars are counted from; without that, at the song's
        // start, as if the time signature had never changed.
        const auto lastBarStart = position.getPpqPositionOfLastBarStart();

        if (lastBarStart.hasValue() && barCount.hasValue())
            transport.firstBar = *lastBarStart - static_cast<double> (*barCount) * barLength;

        return transport;
    }

    // No position in quarter notes (the toolkit's LV2 wrapper reads it from time:beat alone, which some hosts
    // never send): worked out from the time in samples at the tempo, within the bar the host names if it
    // does. The tempo and metre are taken as they are now since the song's start, the best the wrapper
    // allows: it leaves out time:barBeat, the place within the bar.
    const auto samples = position.getTimeInSamples();

    if (!samples.hasValue() || !transport.bpm.has_value() || sampleRate <= 0.0)
        return std::nullopt;

    const auto quarters = static_cast<double> (*samples) / sampleRate * (*transport.bpm / 60.0);
    transport.ppq = barCount.hasValue()
                        ? static_cast<double> (*barCount) * barLength + std::fmod (quarters, barLength)
                        : quarters;
    return transport;
}

bool BarClock::blockStartsAGroup (const juce::Optional<juce::AudioPlayHead::PositionInfo>& position,
                                  int numSamples, double sampleRate, int barsPerGroup)
{
    std::optional<Transport> transport;

    if (position.hasValue())
        transport = position->getIsPlaying() ? transportAt (*position, sampleRate) : std::nullopt;
    else
        transport = next;

    if (barsPerGroup <= 0 || !transport.has_value())
    {
        reset();
        return false;
    }

    next.reset();

    if (transport->bpm.has_value() && sampleRate > 0.0)
    {
        next = transport;
        next->ppq += numSamples / sampleRate * (*transport->bpm / 60.0);
    }

    const auto group = groupStartIn (*transport, numSamples, sampleRate, barsPerGroup);

    // Without the tempo, or with a host whose positions jitter, one group start is seen once.
    if (!group.has_value() || group == lastGroupDrawn)
        return false;

    lastGroupDrawn = group;
    return true;
}

std::optional<std::int64_t> BarClock::groupStartIn (const Transport& transport, int numSamples,
                                                    double sampleRate, int barsPerGroup)
{
    const auto groupLength = barLengthOf (transport.signature) * barsPerGroup;
    const auto start = (transport.ppq - transport.firstBar) / groupLength;

    // A jump back, as at a loop's turn, may reach a group start drawn before: it draws again.
    if (lastStart.has_value() && start < *lastStart)
        lastGroupDrawn.reset();

    lastStart = start;

    if (transport.bpm.has_value() && sampleRate > 0.0)
    {
        const auto length = numSamples / sampleRate * (*transport.bpm / 60.0) / groupLength;
        const auto nextStart = std::ceil (start - tolerance);

        if (nextStart < start + length - tolerance)
            return static_cast<std::int64_t> (nextStart);

        return std::nullopt;
    }

    const auto current = static_cast<std::int64_t> (std::floor (start + tolerance));
    std::optional<std::int64_t> group;

    if ((lastGroupSeen.has_value() && current != *lastGroupSeen) || std::abs (start - current) < tolerance)
        group = current;

    lastGroupSeen = current;
    return group;
}
