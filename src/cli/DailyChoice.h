#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// The advice of the day, chosen from the calendar date and the advice's texts alone, so that every call on
// the same day gives the same advice (a login message), whatever order the sets are read in. Each year
// orders the texts by a hash of the year and the text, and day N of the year takes the N-th of that order:
// a year shows as many different advice as the library holds (up to one a day), and an advice added to
// the library moves today's pick only when it comes before it in this year's order.
class DailyChoice final
{
public:
    // count different positions of texts, or all of them when there are fewer.
    static std::vector<int> choose (const juce::Time& day, const juce::StringArray& texts, int count);

    // The same from the texts' juce::String::hashCode64, as an index of the advice keeps them.
    static std::vector<int> choose (const juce::Time& day, const std::vector<juce::uint64>& textHashes,
                                    int count);
};
