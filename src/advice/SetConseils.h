#pragma once

#include "advice/ConseilItem.h"

#include <juce_graphics/juce_graphics.h>

class DataTags;
class TextScanner;

// One advice set in memory, with the reader and writer of its set file and the reader of the legacy format.
// Every per-item accessor accepts any index: one outside the list reads as an empty item and writes nothing.
class SetConseils final
{
public:
    static constexpr const char* fileHeader = "MusewheelerV1 - Set file";

    explicit SetConseils (DataTags* tags);

    juce::String getName() const { return name; }
    void setName (const juce::String& newName) { name = newName; }
    juce::String getDescription() const { return description; }
    void setDescription (const juce::String& newDescription) { description = newDescription; }
    juce::String getAuthor() const { return author; }
    void setAuthor (const juce::String& newAuthor) { author = newAuthor; }
    int getLanguage() const { return language; }
    void setLanguage (int newLanguage) { language = newLanguage; }
    juce::Colour getColourSet() const { return colourSet; }
    void setColourSet (juce::Colour newColour) { colourSet = newColour; }
    juce::File getFileSet() const { return fileSet; }
    void setFileSet (const juce::File& newFile) { fileSet = newFile; }
    int getLoadMode() const { return loadMode; }

    int getNumConseils() const { return conseils.size(); }
    juce::String getDescriptionItem (int index) const;
    void setDescriptionItem (int index, const juce::String& text);
    bool getFavoriteItem (int index) const;
    void setFavoriteItem (int index, bool favorite);
    bool isTagAssociatedToItem (int index, int hash) const;
    void addTagToItem (int index, int hash);
    int getNumTags (int index) const;
    juce::String getHashTags (int index) const;
    void setHashTags (int index, const juce::String& list);
    void setOldHashTags (int index, const juce::String& codes);

    // Whether both hold the same set, advice for advice, apart from the favourite marks.
    bool hasSameAdviceAs (const SetConseils& other) const;

    // The other's favourite marks, advice for advice; both must hold the same advice.
    void takeFavoritesFrom (const SetConseils& other);

    void addNewConseil();
    void removeConseil (int index);
    void duplicateConseil (int from, int to);

    // Reads fileSet: mode 1 = header only, 2 = header and advice.
    void loadData (int mode);
    void loadOldData (int mode);

    // The same readers working on text already in memory (the file's text, or the legacy file's bytes).
    void readSetText (const juce::String& text, int mode);
    void readOldSetBytes (const juce::MemoryBlock& bytes, int mode);

    // Writes the whole set to fileSet; false when the file could not be written.
    bool saveData() const;
    juce::String createSetText() const;

    // Translates a legacy file's bytes (one character per byte, 0-255) into text, through Mac OS Roman.
    static juce::String convertANSIToUnicode (const juce::String& raw);

    struct ElementComparator
    {
        static int compareElements (const ConseilItem* first, const ConseilItem* second);
    };

private:
    ConseilItem* getItem (int index) const { return conseils[index]; }
    void readHeader (TextScanner& scanner, size_t& position);
    void readItems (TextScanner& scanner, size_t position);
    void readOldItems (TextScanner& scanner, size_t position);
    void sortItems();
    void recycleItems();
    ConseilItem* appendRecycledItem();

    juce::String name, description, author;
    juce::File fileSet;
    int language = 0;
    juce::Colour colourSet;
    DataTags* dataTags = nullptr;
    int loadMode = 0;
    juce::OwnedArray<ConseilItem> conseils;
    juce::OwnedArray<ConseilItem> spareItems; // only during a read

    JUCE_LEAK_DETECTOR (SetConseils)
};
