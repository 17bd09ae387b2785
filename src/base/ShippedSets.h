#pragma once

#include <juce_core/juce_core.h>

#include <map>

// Brings the sets an installed program ships into a user's sets folder and keeps them up to date the way
// dpkg treats configuration files: beside the user's sets, a record keeps the checksum of each shipped set
// as last shipped. A set the user lacks and never had is copied; one the user never changed is replaced by
// the new version's; one the user changed or deleted is left as it is (a deletion is recorded, so that the
// set stays deleted).
//
// Every copy is written to a hidden temporary file and renamed over the set, so that a full disk or a
// stopped program never leaves half a set; the temporary files of an interrupted copy are removed by a
// later update. Programs updating the same folder at once all write the same bytes, so each rename leaves a
// whole, right set.
class ShippedSets final
{
public:
    static constexpr const char* recordName = "shipped-sets.txt";
    static constexpr const char* deleted = "deleted";
    // How old a temporary file must be to count as the litter of an interrupted copy.
    static constexpr int litterSeconds = 60;

    // The checksum of each set by file name, or "deleted".
    using Record = std::map<juce::String, juce::String>;

    ShippedSets() = delete;

    // Updates userFolder/data from the sets of shippedFolder; true when every shipped set is where it
    // should be and the record is written, false when a copy or the folder could not be written.
    static bool update (const juce::File& shippedFolder, const juce::File& userFolder);

    // The shipped sets of a folder: its *.mwh files, sorted by name.
    static juce::Array<juce::File> findSets (const juce::File& folder);

    // A 64-bit FNV-1a of the file's bytes as 16 hexadecimal digits, empty when it cannot be read.
    static juce::String checksumOf (const juce::File& file);

    static Record readRecord (const juce::File& file);

    // Whether the name is one of a temporary file this class writes.
    static bool isTemporaryName (const juce::String& fileName);

private:
    static juce::String formatRecord (const Record& record);
    static void removeTemporaryFiles (const juce::File& folder);
    static bool writeThroughTemporary (const juce::File& target, const juce::MemoryBlock& bytes);
    static bool copyThroughTemporary (const juce::File& source, const juce::File& target);
};
