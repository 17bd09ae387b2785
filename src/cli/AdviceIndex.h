#pragma once

#include "cli/AdviceSelection.h"

#include <memory>
#include <vector>

// What draw, search and list need of a data folder's advice, kept in one file beside the sets
// (".musewheeler-sets.index") so that a command need not read every set again: the sets' names, authors
// and languages, and for each advice its set, favourite mark, tags, text, folded text and a hash of the
// text. The file records the size and modification time of every set file; when one differs, or a set
// file came or went, it is made again from the sets through the program's reader. It is never needed:
// without it (a folder that cannot be written) the commands read the sets, and a damaged one is rebuilt.
// It is written through a temporary file and a rename, so a stopped command never leaves half of it.
// Its columns are read only when a command needs them, and a draw reads only the texts it prints.
class AdviceIndex final
{
public:
    static constexpr const char* fileName = ".musewheeler-sets.index";

    // Smaller libraries (the shipped sets are a tenth of this) are read faster than an index is checked
    // and written, and a folder of them is left as it is.
    static constexpr juce::int64 minimumLibraryBytes = 1024 * 1024;

    ~AdviceIndex();

    // The folder's index, made again first when it is missing or stale; nothing for a small library, or
    // when the index cannot be written or read back, in which case the sets are read as usual.
    static std::unique_ptr<AdviceIndex> open (const juce::File& dataFolder);

    int getNumSets() const { return (int) sets.size(); }
    bool hasSetFile (const juce::String& fileName) const;
    std::optional<int> getSetLanguage (const juce::String& fileName) const;

    // The advice that pass the filter, as positions in the folder's order (the order list prints).
    std::vector<int> select (const AdviceSelection::Filter& filter) const;

    // Of those, the ones whose text holds every word of words, ignoring case and accents.
    std::vector<int> search (const std::vector<int>& positions, const juce::String& words) const;

    AdviceSelection::Advice getAdvice (int position) const;
    // The hashes (juce::String::hashCode64) of the texts at these positions.
    std::vector<juce::uint64> getTextHashes (const std::vector<int>& positions) const;

    // Where the index of a data folder lies.
    static juce::File getFile (const juce::File& dataFolder);

    // The bytes of the index of the folder's sets as they are now, read through the program's reader.
    static juce::MemoryBlock build (const juce::File& dataFolder);

private:
    struct SetEntry
    {
        juce::String fileName, name, author;
        int language = 1;
    };

    AdviceIndex() = default;
    // Reads the header; false when the file is no index, or one of other set files than the folder's.
    bool read (const juce::File& dataFolder);

    template <typename Value>
    std::vector<Value> readColumn (juce::int64 at, size_t count) const;

    std::unique_ptr<juce::FileInputStream> stream;
    std::vector<SetEntry> sets;
    int numAdvice = 0;
    juce::uint32 textBytesRead = 0, foldedBytesRead = 0;
    // Where each column starts in the file.
    juce::int64 tagMasksAt = 0, textHashesAt = 0, setOfAt = 0, textOffsetsAt = 0, foldedOffsetsAt = 0,
                favoritesAt = 0, textsAt = 0, foldedTextsAt = 0;

    JUCE_DECLARE_NON_COPYABLE (AdviceIndex)
};
