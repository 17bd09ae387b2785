#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// The advice of the day: positions in a list chosen from the calendar date alone, so that every call on
// the same day gives the same advice (a login message), and the next day others.
class DailyChoice final
{
public:
    // count different positions of [0, listSize), or all of them when the list is shorter.
    static std::vector<int> choose (const juce::Time& day, int listSize, int count);
};
