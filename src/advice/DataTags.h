#pragma once

#include <juce_core/juce_core.h>

// The fixed catalogue of 67 tags in five categories, named and described in the interface language,
// and the table that turns the legacy four-letter tag codes into tag hashes.
class DataTags final
{
public:
    static constexpr int numCategories = 5;
    static constexpr int numTags = 67;
    static constexpr int numOldHashes = 60;

    DataTags();

    // Refills every language-dependent text: true = English, false = French.
    void initDataTagsLibrary (bool english);
    void initDataTagsDescription (bool english);
    void initOldHashs();

    juce::String getTags (int hash) const;
    juce::String getDescriptionTags (int hash) const;
    juce::String getNameCategory (int category) const;
    juce::String getDescriptionCategory (int category) const;

    // Tag names of category 0-4, or for 5 the names of the two advice languages.
    juce::StringArray getCategory (int index) const;

    int convertOldHashToNewHas (const juce::String& code) const;

    // A tag's hash: 100 x its category + its position in the category; and the two back from a hash.
    static constexpr int getHash (int category, int position) { return 100 * category + position; }
    static constexpr int getCategoryOfHash (int hash) { return hash / 100; }
    static constexpr int getPositionOfHash (int hash) { return hash % 100; }

    // Number of tags in each category: 3, 6, 16, 24, 18.
    static int getNumTagsInCategory (int category);

    // True when hash names a tag of the catalogue.
    static bool isValidHash (int hash);

private:
    juce::StringArray languageNames;
    juce::StringArray tagNames[numCategories];
    juce::StringArray categoryNames;
    juce::StringArray descriptionTags;
    juce::StringArray descriptionCategories;
    juce::StringArray oldHashes;
    juce::Array<int> newHashes;

    JUCE_LEAK_DETECTOR (DataTags)
};
