#include "cli/DailyChoice.h"

#include <algorithm>

namespace
{
// SplitMix64's finaliser: juce::String::hashCode64 is stable across runs and systems but mixes its last
// characters poorly, and the year must change the whole order.
juce::uint64 mix (juce::uint64 value)
{
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ull;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebull;
    return value ^ (value >> 31);
}
} // namespace

std::vector<int> DailyChoice::choose (const juce::Time& day, const juce::StringArray& texts, int count)
{
    std::vector<juce::uint64> hashes;
    hashes.reserve ((size_t) texts.size());

    for (const auto& text : texts)
        hashes.push_back ((juce::uint64) text.hashCode64());

    return choose (day, hashes, count);
}

std::vector<int> DailyChoice::choose (const juce::Time& day, const std::vector<juce::uint64>& textHashes,
                                      int count)
{
    const auto yearKey = mix ((juce::uint64) day.getYear());
    const auto size = (int) textHashes.size();
    std::vector<std::pair<juce::uint64, int>> order;
    order.reserve ((size_t) size);

    for (int i = 0; i < size; ++i)
        order.emplace_back (mix (textHashes[(size_t) i] ^ yearKey), i);

    const auto wanted = juce::jlimit (0, size, count);
    std::vector<int> chosen;

    if (wanted == 0)
        return chosen;

    // Each day takes the next count advice of the order, so a year of --count 3 shows three new ones a day.
    // Only the ranks wanted are put in order.
    const auto first = (size_t) (((juce::int64) day.getDayOfYear() * wanted) % size);
    const auto last = juce::jmin ((size_t) size, first + (size_t) wanted);
    std::nth_element (order.begin(), order.begin() + (std::ptrdiff_t) first, order.end());
    std::partial_sort (order.begin() + (std::ptrdiff_t) first, order.begin() + (std::ptrdiff_t) last,
                       order.end());

    for (auto rank = first; rank < last; ++rank)
        chosen.push_back (order[rank].second);

    // The ranks past the end of the order wrap around to its start.
    const auto wrapped = (size_t) wanted - (last - first);

    if (wrapped > 0)
    {
        std::partial_sort (order.begin(), order.begin() + (std::ptrdiff_t) wrapped,
                           order.begin() + (std::ptrdiff_t) first);

        for (size_t rank = 0; rank < wrapped; ++rank)
            chosen.push_back (order[rank].second);
    }

    return chosen;
}
