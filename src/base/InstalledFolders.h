#pragma once

#include "base/UserFolder.h"

// The folders of an installed program, which runs in place: the help and the shipped sets once, in a
// shared folder (share/musewheeler beside the installation's lib and bin), and each user's sets and
// settings in folders of their own (UserFolder), filled from the shipped sets (ShippedSets).
class InstalledFolders final
{
public:
    static constexpr const char* sharedName = "musewheeler";
    static constexpr const char* shippedName = "shipped";

    struct Places
    {
        // Where the sets are read and written: the user's, or the shipped ones, read-only, when the user's
        // folder cannot be written.
        juce::File sets;
        juce::File settingsFolder;
        juce::File help;
        // Why the sets are the shipped ones, read-only; empty when all went well.
        juce::String warning;
    };

    InstalledFolders() = delete;

    // The shared folder of the installation a binary in that folder belongs to: the binary folder itself
    // when it holds the shipped sets (a program installed in a folder of its own, as on Windows), else
    // share/musewheeler in one of the binary folder's parents (a program in lib/musewheeler or bin, a
    // plugin deeper in lib/lv2 or lib/vst3), else the first holding the shipped sets among the user's and
    // the system's data folders ($XDG_DATA_HOME, $XDG_DATA_DIRS), where a plugin installed in ~/.lv2 or
    // ~/.vst3 finds them.
    static juce::File findShared (const juce::File& binaryFolder, const UserFolder::Environment& environment);

    // Names the folders and prepares the user's: takes an old copy of the program over, then brings the
    // shipped sets in.
    static Places prepare (const juce::File& binaryFolder, const UserFolder::Environment& environment,
                           const juce::File& workingFolder);

    // Whether the user's sets folder holds a set that is not a copy of one in the shipped folder.
    static bool holdsOwnSets (const juce::File& userSets, const juce::File& shipped);
};
