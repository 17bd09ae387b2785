#include "advice/ConseilItem.h"

#include "advice/HashList.h"

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

void ConseilItem::sortTags()
{
    std::sort (tags.begin(), tags.end());
    const auto end = std::unique (tags.begin(), tags.end());
    tags.removeLast (static_cast<int> (tags.end() - end));
}

juce::String ConseilItem::getHashTags() const
{
    return HashList::write (tags);
}
