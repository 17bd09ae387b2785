#pragma once

#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"

#include <optional>
#include <vector>

// The advice of a data folder that pass the filters the options panel offers (set language, one set or
// the favourites, one tag), read and filtered by the program's set library.
class AdviceSelection final
{
public:
    struct Advice
    {
        juce::String fileName, setName, author, text;
    };

    struct Filter
    {
        int language = -1;    // -1 any, 0 French, 1 English
        juce::String setFile; // a set's file name, compared ignoring case; empty for every set
        int tag = -1;         // a tag hash, -1 for any
        bool favoritesOnly = false;
    };

    // "en", "fr" or, where allowed, "any" (the case does not matter); nothing for any other word.
    static std::optional<int> parseLanguage (const juce::String& word, bool anyAllowed);

    // A tag given by its hash or by its name in either language, ignoring case and accents; -1 for none.
    static int findTag (const juce::String& hashOrName);

    explicit AdviceSelection (const juce::File& dataFolder);

    int getNumSets() const { return library.getNumSetsConseils(); }
    bool hasSetFile (const juce::String& fileName) const;
    // The language of the set of that file name (any letter case), or nothing when there is none.
    std::optional<int> getSetLanguage (const juce::String& fileName) const;

    std::vector<Advice> select (const Filter& filter);

private:
    DataTags dataTags;
    LibSetsConseils library{ &dataTags };

    JUCE_DECLARE_NON_COPYABLE (AdviceSelection)
};
