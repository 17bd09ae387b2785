#pragma once

#include <juce_core/juce_core.h>

#include <string_view>

// A list of tag hashes as text: every hash followed by ",", e.g. "0,104,301,". Set files, the clipboard
// of the set editor and the tag picker all exchange tags in this form.
class HashList final
{
public:
    // The hashes in their order, each followed by ",".
    static juce::String write (const juce::Array<int>& hashes);

    // Calls readEntry with each entry that a "," ends, in order, and returns what follows the last ","
    // (an entry without its ",", which is not read). Entries are passed as they stand: an empty or
    // malformed entry is for the caller to read or to refuse.
    template <typename ReadEntry>
    static std::string_view forEachEntry (std::string_view list, ReadEntry&& readEntry)
    {
        size_t start = 0;

        for (auto comma = list.find (','); comma != std::string_view::npos; comma = list.find (',', start))
        {
            readEntry (list.substr (start, comma - start));
            start = comma + 1;
        }

        return list.substr (start);
    }

    // The leading integer of each entry (0 where there is none), in the list's order, repeats included.
    static juce::Array<int> read (std::string_view list);
    static juce::Array<int> read (const juce::String& list);
};
