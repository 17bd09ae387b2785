#pragma once

#include "advice/ConseilItem.h"
#include "base/RegularFile.h"

#include <juce_graphics/juce_graphics.h>

class DataTags;

// One advice set in memory, and the writer of its set file; SetFileReader reads it, in either format.
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

    // Files larger than this are no sets, and the readers read nothing of them: far above any real set
    // (the benchmarks' sets take 26 MB for 100,000 advice, so 300,000 take about 80 MB), and small
    // enough that reading one whole stays bearable.
    static constexpr juce::int64 maximumFileBytes = 512LL * 1024 * 1024;

    // The largest header a header-only read looks at: far beyond any real name, description and author,
    // so that a large file that is no set costs one bounded read at each scan.
    static constexpr size_t maximumHeaderBytes = 1 << 20;

    // What the last read took in: nothing yet, the header only, or the header and the advice.
    enum LoadMode
    {
        notLoaded = 0,
        headerOnly = 1,
        headerAndAdvice = 2
    };

    LoadMode getLoadMode() const { return loadMode; }

    int getNumConseils() const { return conseils.size(); }
    juce::String getDescriptionItem (int index) const;
    void setDescriptionItem (int index, const juce::String& text);
    bool getFavoriteItem (int index) const;
    void setFavoriteItem (int index, bool favorite);
    bool isTagAssociatedToItem (int index, int hash) const;
    void addTagToItem (int index, int hash);
    int getNumTags (int index) const;
    juce::String getHashTags (int index) const;
    // The item's tag hashes, ascending, each once.
    const juce::Array<int>& getTagsItem (int index) const;
    void setHashTags (int index, const juce::String& list);
    void setOldHashTags (int index, const juce::String& codes);

    // Whether both hold the same set, advice for advice, apart from the favourite marks.
    bool hasSameAdviceAs (const SetConseils& other) const;

    // The other's favourite marks, advice for advice; both must hold the same advice, read from the same
    // file. The other's record of that file comes along, as both then hold what the other read or wrote.
    void takeFavoritesFrom (const SetConseils& other);

    // False after a full read that passed over part of the file (text after a zero character, text
    // between a value's ";" and the next key, a value the reader could not take whole, a file beyond
    // maximumFileBytes) or a header-only read: writing the set then would lose that text. True after any
    // other full read, after a successful saveData, and for a set made in memory.
    bool wasReadWhole() const { return readWhole; }

    // Whether fileSet still holds exactly what this set last read from it or wrote to it: the same size
    // and modification time, or else the same bytes. False for a missing file, one that is no regular
    // file, and a file this set has not read or written (e.g. after setFileSet).
    bool isUnchangedOnDisk() const;

    void addNewConseil();
    void removeConseil (int index);
    void duplicateConseil (int from, int to);

    // Reads fileSet in the current format, or in the legacy one.
    void loadData (LoadMode mode);
    void loadOldData (LoadMode mode);

    // What to do with a file that is no set file (see SetFileReader::getFileKind): leave the set as it is,
    // or read it as a legacy set, as the set editor does with any file it is asked to open.
    enum class OtherFiles
    {
        leftAlone,
        readAsLegacy
    };

    // Reads fileSet in whichever format it holds; returns the file's kind (a SetFileReader::FileKind).
    int loadAnyFormat (LoadMode mode, OtherFiles otherFiles = OtherFiles::leftAlone);

    // Writes the whole set to fileSet; false when the file could not be written.
    bool saveData();
    juce::String createSetText() const;

    // Translates a legacy file's bytes (one character per byte, 0-255) into text, through Mac OS Roman.
    static juce::String convertANSIToUnicode (const juce::String& raw);

    struct ElementComparator
    {
        static int compareElements (const ConseilItem* first, const ConseilItem* second);
    };

private:
    friend class SetFileReader;

    // What the file held when this set last read or wrote it.
    struct FileRecord
    {
        juce::File file;
        RegularFile::Status status;
        juce::uint64 hash = 0;
        juce::int64 takenAt = 0; // nanoseconds since 1970, when the status was taken

        bool isValid() const { return status.regular; }
    };

    static FileRecord makeRecord (const juce::File& file, const RegularFile::Status& status,
                                  const juce::MemoryBlock& bytes);
    static juce::uint64 hashBytes (const void* data, size_t size);

    ConseilItem* getItem (int index) const { return conseils[index]; }
    void sortItems();
    void recycleItems();
    ConseilItem* appendRecycledItem();

    juce::String name, description, author;
    juce::File fileSet;
    int language = 0;
    juce::Colour colourSet;
    DataTags* dataTags = nullptr;
    LoadMode loadMode = notLoaded;
    bool readWhole = true;
    FileRecord fileRecord;
    juce::OwnedArray<ConseilItem> conseils;
    juce::OwnedArray<ConseilItem> spareItems; // only during a read

    JUCE_LEAK_DETECTOR (SetConseils)
};
