#include "plugin/DrawSchedule.h"

bool DrawSchedule::Requests::operator== (const Requests& other) const
{
    return noteOns == other.noteOns && drawRequests == other.drawRequests && barDraws == other.barDraws;
}

bool DrawSchedule::shouldDraw (const Requests& counted, int timerSeconds, bool screenShown,
                               juce::uint32 nowMilliseconds)
{
    const auto requested = counted != seen;
    seen = counted;

    if (timerSeconds <= 0 || screenShown)
    {
        periodStart.reset();
        return requested;
    }

    if (!periodStart.has_value() || timerSeconds != periodSeen)
    {
        periodStart = nowMilliseconds;
        periodSeen = timerSeconds;
        return requested;
    }

    // Unsigned, the difference stays right when the millisecond counter wraps round.
    const auto periodMilliseconds = static_cast<juce::uint32> (timerSeconds) * 1000u;

    if (nowMilliseconds - *periodStart < periodMilliseconds)
        return requested;

    // From now rather than from the period's end: a host that held the message thread up gets one draw,
    // not a burst of them.
    periodStart = nowMilliseconds;
    return true;
}
