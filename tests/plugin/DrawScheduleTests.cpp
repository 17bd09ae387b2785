#include "plugin/DrawSchedule.h"

#include <gtest/gtest.h>

namespace
{
constexpr juce::uint32 start = 1000;

DrawSchedule::Requests notes (int count)
{
    return { count, 0, 0 };
}
} // namespace

// Whatever the audio thread counted between two looks draws once, and a look that finds the counts as they
// were draws nothing.
TEST (DrawScheduleTest, eachLookThatFindsNewRequestsDrawsOnce)
{
    DrawSchedule schedule;
    EXPECT_FALSE (schedule.shouldDraw ({}, 0, false, start));
    EXPECT_TRUE (schedule.shouldDraw (notes (3), 0, false, start + 30));
    EXPECT_FALSE (schedule.shouldDraw (notes (3), 0, false, start + 60));

    for (const DrawSchedule::Requests& counted :
         { DrawSchedule::Requests{ 3, 1, 0 }, DrawSchedule::Requests{ 3, 1, 1 } })
        EXPECT_TRUE (schedule.shouldDraw (counted, 0, false, start + 90));

    // Requests count with the screen shown too: the screen shows what the instance drew.
    EXPECT_TRUE (schedule.shouldDraw ({ 4, 1, 1 }, 0, true, start + 120));
    EXPECT_FALSE (schedule.shouldDraw ({ 4, 1, 1 }, 0, true, start + 150));
}

TEST (DrawScheduleTest, theTimerDrawsOncePerPeriodWhileNoScreenIsShown)
{
    DrawSchedule schedule;
    EXPECT_FALSE (schedule.shouldDraw ({}, 2, false, start));
    EXPECT_FALSE (schedule.shouldDraw ({}, 2, false, start + 1999));
    EXPECT_TRUE (schedule.shouldDraw ({}, 2, false, start + 2000));
    EXPECT_FALSE (schedule.shouldDraw ({}, 2, false, start + 2030));

    // A host that held the message thread up for three periods gets one draw, and the next period counts
    // from it.
    EXPECT_TRUE (schedule.shouldDraw ({}, 2, false, start + 8500));
    EXPECT_FALSE (schedule.shouldDraw ({}, 2, false, start + 10400));
    EXPECT_TRUE (schedule.shouldDraw ({}, 2, false, start + 10500));
}

TEST (DrawScheduleTest, aShownScreenRunsTheTimerItselfAndAClosingOneStartsThePeriodAgain)
{
    DrawSchedule schedule;
    EXPECT_FALSE (schedule.shouldDraw ({}, 1, false, start));
    EXPECT_FALSE (schedule.shouldDraw ({}, 1, true, start + 900));
    EXPECT_FALSE (schedule.shouldDraw ({}, 1, true, start + 5000));

    // Closed at 5.1 s: the first draw a whole period later, not at once.
    EXPECT_FALSE (schedule.shouldDraw ({}, 1, false, start + 5100));
    EXPECT_FALSE (schedule.shouldDraw ({}, 1, false, start + 6000));
    EXPECT_TRUE (schedule.shouldDraw ({}, 1, false, start + 6100));
}

TEST (DrawScheduleTest, aChangedOrStoppedTimerStartsItsPeriodAgain)
{
    DrawSchedule schedule;
    schedule.shouldDraw ({}, 10, false, start);
    EXPECT_FALSE (schedule.shouldDraw ({}, 1, false, start + 9000));
    EXPECT_FALSE (schedule.shouldDraw ({}, 1, false, start + 9999));
    EXPECT_TRUE (schedule.shouldDraw ({}, 1, false, start + 10000));

    EXPECT_FALSE (schedule.shouldDraw ({}, 0, false, start + 20000));
    EXPECT_FALSE (schedule.shouldDraw ({}, 1, false, start + 20100));
    EXPECT_TRUE (schedule.shouldDraw ({}, 1, false, start + 21100));
}

// The toolkit's millisecond counter wraps round after some 49 days of a host running.
TEST (DrawScheduleTest, thePeriodHoldsAcrossTheCounterWrappingRound)
{
    DrawSchedule schedule;
    constexpr auto nearTheEnd = std::numeric_limits<juce::uint32>::max() - 500u;
    schedule.shouldDraw ({}, 1, false, nearTheEnd);
    EXPECT_FALSE (schedule.shouldDraw ({}, 1, false, 400));
    EXPECT_TRUE (schedule.shouldDraw ({}, 1, false, 499));
}
