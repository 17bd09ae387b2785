#include "plugin/BarClock.h"

#include <cmath>

namespace
{
// Positions are sums of block lengths in quarter notes: a boundary may come out a hair either side.
constexpr double tolerance = 1.0e-9;
} // namespace

void BarClock::reset()
{
    lastGroupSeen.reset();
    lastGroupDrawn.reset();
    lastStart.reset();
}

bool BarClock::blockStartsAGroup (const juce::AudioPlayHead::PositionInfo& position, int numSamples,
                                  double sampleRate, int barsPerGroup)
{
    const auto ppq = position.getPpqPosition();

    if (barsPerGroup <= 0 || !position.getIsPlaying() || !ppq.hasValue())
    {
        reset();
        return false;
    }

    const auto signature = position.getTimeSignature().orFallback (juce::AudioPlayHead::TimeSignature{});

    if (signature.numerator <= 0 || signature.denominator <= 0)
        return false;

    const auto barLength = 4.0 * signature.numerator / signature.denominator;
    const auto groupLength = barLength * barsPerGroup;

    // The first bar lies where the host says the bars are counted from; without that, at the song's
    // start, as if the time signature had never changed.
    auto firstBar = 0.0;
    const auto lastBarStart = position.getPpqPositionOfLastBarStart();
    const auto barCount = position.getBarCount();

    if (lastBarStart.hasValue() && barCount.hasValue())
        firstBar = *lastBarStart - static_cast<double> (*barCount) * barLength;

    const auto start = (*ppq - firstBar) / groupLength;

    // A jump back, as at a loop's turn, may reach a group start drawn before: it draws again.
    if (lastStart.has_value() && start < *lastStart)
        lastGroupDrawn.reset();

    lastStart = start;
    const auto bpm = position.getBpm();
    std::optional<std::int64_t> group;

    if (bpm.hasValue() && *bpm > 0.0 && sampleRate > 0.0)
    {
        const auto length = numSamples / sampleRate * (*bpm / 60.0) / groupLength;
        const auto next = std::ceil (start - tolerance);

        if (next < start + length - tolerance)
            group = static_cast<std::int64_t> (next);
    }
    else
    {
        const auto current = static_cast<std::int64_t> (std::floor (start + tolerance));

        if ((lastGroupSeen.has_value() && current != *lastGroupSeen) ||
            std::abs (start - current) < tolerance)
            group = current;

        lastGroupSeen = current;
    }

    // Without the tempo, or with a host whose positions jitter, one group start is seen once.
    if (!group.has_value() || group == lastGroupDrawn)
        return false;

    lastGroupDrawn = group;
    return true;
}
