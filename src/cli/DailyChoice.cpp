#include "cli/DailyChoice.h"

#include <numeric>

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
    const auto yearKey = mix ((juce::uint64) day.getYear());
    std::vector<juce::uint64> keys;
    keys.reserve ((size_t) texts.size());

    for (const auto& text : texts)
        keys.push_back (mix ((juce::uint64) text.hashCode64() ^ yearKey));

    std::vector<int> order ((size_t) texts.size());
    std::iota (order.begin(), order.end(), 0);
    std::sort (order.begin(), order.end(),
               [&] (int a, int b)
               {
                   if (keys[(size_t) a] != keys[(size_t) b])
                       return keys[(size_t) a] < keys[(size_t) b];

                   return texts[a] != texts[b] ? texts[a] < texts[b] : a < b;
               });

    const auto wanted = juce::jlimit (0, texts.size(), count);
    std::vector<int> chosen;

    if (wanted == 0)
        return chosen;

    // Each day takes the next count texts of the order, so a year of --count 3 shows three new ones a day.
    const auto first = (juce::int64) day.getDayOfYear() * wanted;

    for (int i = 0; i < wanted; ++i)
        chosen.push_back (order[(size_t) ((first + i) % texts.size())]);

    return chosen;
}
