#pragma once

#include <juce_core/juce_core.h>

// One advice: its text, its tag hashes (ascending, each once) and the user's favourite mark.
class ConseilItem final
{
public:
    ConseilItem() = default;

    void addTagToItem (int hash);
    bool hasTag (int hash) const;

    // The tags as a hash list: every hash followed by ",", e.g. "0,104,301,".
    juce::String getHashTags() const;

    juce::String description;
    juce::Array<int> tags;
    bool favorite = false;

private:
    JUCE_LEAK_DETECTOR (ConseilItem)
};
