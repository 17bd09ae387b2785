#pragma once

#include "advice/SetConseils.h"

class DataTags;

// Every advice set of the data folder, read header-only at each scan, and the filtered advice list
// (set index, item index) that the main screen draws from.
// Every per-position accessor accepts any position: one outside the list reads as the empty-list fallback.
class LibSetsConseils final
{
public:
    explicit LibSetsConseils (DataTags* tags);

    // Files larger than this are no sets (the readers' own limit).
    static constexpr juce::int64 maximumSetFileBytes = SetConseils::maximumFileBytes;

    void loadLibSetsConseils();
    // The same scan of another folder, for tools that work on a data folder they are given.
    void loadLibSetsConseils (const juce::File& dataFolder);

    // 0: not a set file (no regular file, too large, not named *.mwh); 1: a set file in the legacy
    // format; 2: a set file in the current format.
    static int isThisFileAValidSet (const juce::File& file);

    void loadFullyOneSetConseils (int setIndex);

    int getNumSetsConseils() const { return setsConseils.size(); }
    const juce::OwnedArray<SetConseils>& getSetsConseils() const { return setsConseils; }
    juce::StringArray getNameSets (int language) const;
    juce::StringArray getFileSets (int language) const;

    // The data folder: "data" beside the program if it holds a set file, else "../data" if that one does.
    static juce::File getDirectoryDataLib();

    void generateFilteredList (int interfaceLanguage, int language, const juce::String& setFile, int tag,
                               bool favoritesOnly);

    int getNumConseilsFiltered() const { return filteredSets.size(); }
    juce::String getDescriptionItemFiltered (int position) const;
    juce::String getNameFiltered (int position) const;
    juce::String getAuthorFiltered (int position) const;
    juce::Colour getColourSetFiltered (int position) const;
    juce::File getFileSetFiltered (int position) const;
    bool getFavorite (int position) const;
    // The set and the index in it of the advice at a position, for tools that need all of its fields;
    // nullptr and -1 outside the list.
    const SetConseils* getSetOfFiltered (int position) const { return getSetFiltered (position); }
    int getItemOfFiltered (int position) const;

    enum class FavoriteSaving
    {
        saved,
        nothingToMark, // no advice at that position, or its set is not read in full
        fileChanged,   // the file no longer holds the set as it was read: removed, replaced or edited
        writeFailed
    };

    // Marks the advice and rewrites its set file at once. A file unchanged since the set read or wrote
    // it is rewritten from memory; otherwise the set is rewritten from the file as it is now, so that
    // marks another running instance saved meanwhile are kept, and a file that changed in any other way
    // is left alone, as is a file the set was not read whole from. Unless the mark was saved, the set
    // in memory is unchanged.
    FavoriteSaving setFavorite (int position, bool favorite);

private:
    // The data folder and the set files it holds.
    struct DataFolder
    {
        juce::File folder;
        juce::Array<juce::File> setFiles;
    };

    static DataFolder findDataFolder();
    static juce::Array<juce::File> findSetFiles (const juce::File& folder);
    void loadSetFiles (const juce::Array<juce::File>& files);
    SetConseils* getSetFiltered (int position) const;
    juce::Array<int> getSetsInScope (int language, const juce::String& setFile) const;
    // Reads the set's file in whichever format it is in; false when it is no set file (any more).
    static bool readFully (SetConseils& set);
    std::unique_ptr<SetConseils> readAgain (const SetConseils& set) const;

    DataTags* dataTags = nullptr;
    juce::OwnedArray<SetConseils> setsConseils;
    juce::Array<int> filteredSets;
    juce::Array<int> filteredItems;

    JUCE_LEAK_DETECTOR (LibSetsConseils)
};
