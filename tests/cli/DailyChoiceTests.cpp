#include "cli/DailyChoice.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
juce::Time day (int year, int month, int dayOfMonth, int hours)
{
    return juce::Time (year, month, dayOfMonth, hours, 0);
}

juce::StringArray library (int size)
{
    juce::StringArray texts;

    for (int i = 0; i < size; ++i)
        texts.add ("Advice number " + juce::String (i) + ".");

    return texts;
}

juce::String pickOf (const juce::Time& when, const juce::StringArray& texts)
{
    return texts[DailyChoice::choose (when, texts, 1).front()];
}
} // namespace

TEST (DailyChoiceTest, keepsTheSameChoiceAllDay)
{
    for (int dayOfMonth = 1; dayOfMonth <= 28; ++dayOfMonth)
        EXPECT_EQ (DailyChoice::choose (day (2026, 2, dayOfMonth, 0), library (463), 3),
                   DailyChoice::choose (day (2026, 2, dayOfMonth, 23), library (463), 3));
}

TEST (DailyChoiceTest, showsAsManyAdviceInAYearAsTheLibraryHolds)
{
    for (const int size : { 463, 200, 12 })
    {
        const auto texts = library (size);
        std::set<juce::String> seen;
        int firstRepeat = 0;

        for (auto when = day (2026, 0, 1, 9); when.getYear() == 2026; when += juce::RelativeTime::days (1))
            if (!seen.insert (pickOf (when, texts)).second && firstRepeat == 0)
                firstRepeat = when.getDayOfYear();

        EXPECT_EQ ((int) seen.size(), juce::jmin (size, 365)) << size;
        EXPECT_EQ (firstRepeat, size < 365 ? size : 0) << size;
    }
}

TEST (DailyChoiceTest, choosesByTheTextNotByItsPosition)
{
    auto texts = library (463);
    const auto when = day (2026, 5, 17, 12);
    const auto picked = pickOf (when, texts);

    // Sets read in another order give the same advice.
    juce::StringArray reversed;

    for (int i = texts.size(); --i >= 0;)
        reversed.add (texts[i]);

    EXPECT_EQ (pickOf (when, reversed), picked);

    // A new set moves the pick only for an advice that comes before it; most new advice leave it.
    int moved = 0;

    for (int i = 0; i < 40; ++i)
    {
        auto grown = texts;
        grown.insert (i * 7 % grown.size(), "A new advice " + juce::String (i) + ".");

        if (pickOf (when, grown) != picked)
            ++moved;
    }

    EXPECT_LT (moved, 40);
}

TEST (DailyChoiceTest, drawsDifferentAdviceWithinTheList)
{
    const auto chosen = DailyChoice::choose (day (2026, 12, 9, 8), library (10), 10);
    EXPECT_EQ (std::set<int> (chosen.begin(), chosen.end()), (std::set<int>{ 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 }));

    EXPECT_EQ (DailyChoice::choose (day (2026, 12, 9, 8), library (3), 5).size(), 3u);
    EXPECT_TRUE (DailyChoice::choose (day (2026, 12, 9, 8), juce::StringArray(), 1).empty());
    // The seventh day of the year takes ranks 8, 9 and, past the end of a list of ten, 0.
    const auto wrapped = DailyChoice::choose (day (2026, 0, 7, 8), library (10), 3);
    EXPECT_EQ (std::set<int> (wrapped.begin(), wrapped.end()).size(), 3u);

    // Following days take the next advice of the year's order, none of today's.
    const auto today = DailyChoice::choose (day (2026, 4, 2, 8), library (100), 3);
    const auto tomorrow = DailyChoice::choose (day (2026, 4, 3, 8), library (100), 3);
    std::set<int> both (today.begin(), today.end());
    both.insert (tomorrow.begin(), tomorrow.end());
    EXPECT_EQ (both.size(), 6u);
}
