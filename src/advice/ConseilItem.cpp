#include "advice/ConseilItem.h"

#include <algorithm>
#include <charconv>
#include <string>

void ConseilItem::addTagToItem (int hash)
{
    const auto position = std::lower_bound (tags.begin(), tags.end(), hash);

    if (position == tags.end() || *position != hash)
        tags.insert (static_cast<int> (position - tags.begin()), hash);
}

bool ConseilItem::hasTag (int hash) const
{
    return std::binary_search (tags.begin(), tags.end(), hash);
}

void ConseilItem::sortTags()
{
    std::sort (tags.begin(), tags.end());
    const auto end = std::unique (tags.begin(), tags.end());
    tags.removeLast (static_cast<int> (tags.end() - end));
}

juce::String ConseilItem::getHashTags() const
{
    // Built in one reserved buffer: appending to a juce::String reallocates it exactly to size each time.
    std::string list;
    list.reserve (static_cast<size_t> (tags.size()) * 5);

    for (const auto hash : tags)
    {
        char digits[16];
        const auto end = std::to_chars (std::begin (digits), std::end (digits), hash).ptr;
        list.append (digits, end);
        list += ',';
    }

    return juce::String (list.data(), list.size());
}
