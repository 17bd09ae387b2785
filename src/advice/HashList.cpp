#include "advice/HashList.h"

#include "base/TextScanner.h"

#include <charconv>
#include <string>

juce::String HashList::write (const juce::Array<int>& hashes)
{
    // Built in one reserved buffer: appending to a juce::String reallocates it exactly to size each time.
    std::string list;
    list.reserve (static_cast<size_t> (hashes.size()) * 5);

    for (const auto hash : hashes)
    {
        char digits[16];
        const auto end = std::to_chars (std::begin (digits), std::end (digits), hash).ptr;
        list.append (digits, end);
        list += ',';
    }

    return juce::String (list.data(), list.size());
}

juce::Array<int> HashList::read (std::string_view list)
{
    juce::Array<int> hashes;
    forEachEntry (list,
                  [&hashes] (std::string_view entry) { hashes.add (TextScanner::leadingInteger (entry)); });
    return hashes;
}

juce::Array<int> HashList::read (const juce::String& list)
{
    return read (std::string_view (list.toRawUTF8(), list.getNumBytesAsUTF8()));
}
