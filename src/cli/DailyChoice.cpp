#include "cli/DailyChoice.h"

#include <numeric>

std::vector<int> DailyChoice::choose (const juce::Time& day, int listSize, int count)
{
    std::vector<int> positions ((size_t) juce::jmax (0, listSize));
    std::iota (positions.begin(), positions.end(), 0);

    // The toolkit's generator gives the same sequence for the same seed on every system, but it is a linear
    // congruential one: the seeds of following days would start it on nearly the same numbers. The date is
    // mixed first (SplitMix64's finaliser), which the standard library offers in no portable form.
    auto seed = (juce::uint64) day.getYear() * 10000 + (juce::uint64) (day.getMonth() + 1) * 100 +
                (juce::uint64) day.getDayOfMonth();
    seed = (seed ^ (seed >> 30)) * 0xbf58476d1ce4e5b9ull;
    seed = (seed ^ (seed >> 27)) * 0x94d049bb133111ebull;
    juce::Random random ((juce::int64) (seed ^ (seed >> 31)));

    // A partial Fisher-Yates shuffle: the first count positions are drawn without repeats.
    const auto wanted = (size_t) juce::jlimit (0, listSize, count);

    for (size_t i = 0; i < wanted; ++i)
        std::swap (positions[i], positions[i + (size_t) random.nextInt ((int) (positions.size() - i))]);

    positions.resize (wanted);
    return positions;
}
