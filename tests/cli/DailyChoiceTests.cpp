#include "cli/DailyChoice.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
juce::Time day (int year, int month, int dayOfMonth, int hours)
{
    return juce::Time (year, month, dayOfMonth, hours, 0);
}
} // namespace

TEST (DailyChoiceTest, keepsTheSameChoiceAllDay)
{
    for (int dayOfMonth = 1; dayOfMonth <= 28; ++dayOfMonth)
        EXPECT_EQ (DailyChoice::choose (day (2026, 2, dayOfMonth, 0), 463, 3),
                   DailyChoice::choose (day (2026, 2, dayOfMonth, 23), 463, 3));
}

TEST (DailyChoiceTest, changesFromDayToDay)
{
    std::set<int> firstChoices;

    for (int dayOfMonth = 1; dayOfMonth <= 30; ++dayOfMonth)
        firstChoices.insert (DailyChoice::choose (day (2026, 3, dayOfMonth, 9), 463, 1).front());

    // Thirty days among 463 advice: a few repeats at most.
    EXPECT_GE (firstChoices.size(), 25u);
}

TEST (DailyChoiceTest, drawsDifferentPositionsWithinTheList)
{
    const auto chosen = DailyChoice::choose (day (2026, 12, 9, 8), 10, 10);
    EXPECT_EQ (std::set<int> (chosen.begin(), chosen.end()), (std::set<int>{ 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 }));

    EXPECT_EQ (DailyChoice::choose (day (2026, 12, 9, 8), 3, 5).size(), 3u);
    EXPECT_TRUE (DailyChoice::choose (day (2026, 12, 9, 8), 0, 1).empty());
}
