#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// When a plugin instance draws a new advice, decided on the message thread from what the audio thread
// counted: notes, draw requests and groups of bars, each a counter the audio thread only increments (no
// lock, no allocation there), and the timer in seconds while no screen of the instance is shown (the
// screen runs that timer itself while it is). Several requests between two looks draw one advice: each
// would replace the one before unread.
class DrawSchedule final
{
public:
    // What the audio thread has counted since the instance was made.
    struct Requests
    {
        int noteOns = 0;
        int drawRequests = 0;
        int barDraws = 0;

        bool operator== (const Requests& other) const;
        bool operator!= (const Requests& other) const { return !(*this == other); }
    };

    // Whether the instance draws now: the counts have grown since the last look, or the timer's period
    // has passed since it started or last drew. A timer switched on, changed, or given back by a closing
    // screen starts its period again.
    bool shouldDraw (const Requests& counted, int timerSeconds, bool screenShown,
                     juce::uint32 nowMilliseconds);

private:
    Requests seen;
    int periodSeen = 0;
    std::optional<juce::uint32> periodStart;
};
