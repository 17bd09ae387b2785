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
        juce::String tags; // the hash list, as the set file holds it
        bool favorite = false;
        juce::String setDescription;
        int language = 1;
        juce::Colour colour;
    };

    struct SetSummary
    {
        juce::String fileName, name;
        int language = 1, numAdvice = 0, numFavorites = 0;
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
    // The code parseLanguage reads back: "en" or "fr".
    static juce::String getLanguageCode (int language);

    // A tag given by its hash or by its name in either language, ignoring case and accents; -1 for none.
    static int findTag (const juce::String& hashOrName);

    explicit AdviceSelection (const juce::File& dataFolder);

    int getNumSets() const { return library.getNumSetsConseils(); }
    bool hasSetFile (const juce::String& fileName) const;
    // The file of the set of that file name (any letter case); none when there is no such set.
    juce::File findSetFile (const juce::String& fileName) const;
    // The language of the set of that file name (any letter case), or nothing when there is none.
    std::optional<int> getSetLanguage (const juce::String& fileName) const;

    std::vector<Advice> select (const Filter& filter);

    // Every set of the folder in the language (-1 for any), read in full.
    std::vector<SetSummary> summarise (int language);

    // Marks or unmarks the advice at a position of the last selection through the program's own mark,
    // which never writes over changes another program made to the file.
    LibSetsConseils::FavoriteSaving setFavorite (int position, bool favorite);

private:
    DataTags dataTags;
    LibSetsConseils library{ &dataTags };

    JUCE_DECLARE_NON_COPYABLE (AdviceSelection)
};
