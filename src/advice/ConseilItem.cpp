#include "advice/ConseilItem.h"

#include <algorithm>

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

juce::String ConseilItem::getHashTags() const
{
    juce::String list;

    for (const auto hash : tags)
        list << hash << ",";

    return list;
}
