#include "cli/DailyChoice.h"

#include <numeric>

std::vector<int> DailyChoice::choose (const juce::Time& day, int listSize, int count)
{
    std::vector<int> positions ((size_t) juce::jmax (0, listSize));
    std::iota (positions.begin(), positions.end(), 0);

    // The toolkit's generator gives the same sequence for the same seed on every system.
    juce::Random random ((juce::int64) day.getYear() * 10000 + (day.getMonth() + 1) * 100 +
                         day.getDayOfMonth());

    // A partial Fisher-Yates shuffle: the first count positions are drawn without repeats.
    const auto wanted = (size_t) juce::jlimit (0, listSize, count);

    for (size_t i = 0; i < wanted; ++i)
        std::swap (positions[i], positions[i + (size_t) random.nextInt ((int) (positions.size() - i))]);

    positions.resize (wanted);
    return positions;
}
