#pragma once

#include <juce_core/juce_core.h>

// One advice: its text, its tag hashes (ascending, each once) and the user's favourite mark.
class ConseilItem final
{
public:
    ConseilItem() = default;

    void addTagToItem (int hash);
    bool hasTag (int hash) const;

    // Restores the order of the tags after hashes were appended to them in any order, repeats included:
    // readers append a whole list and sort it once, since inserting each hash in order is quadratic.
    void sortTags();

    // The tags as a hash list: every hash followed by ",", e.g. "0,104,301,".
    juce::String getHashTags() const;

    juce::String description;
    juce::Array<int> tags;
    bool favorite = false;

private:
    JUCE_LEAK_DETECTOR (ConseilItem)
};
