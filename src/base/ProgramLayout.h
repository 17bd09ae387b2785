#pragma once

#include "base/InstalledFolders.h"

#include <optional>

// Which layout a program (or plugin) whose binary lies in a folder runs in, with its folders made ready.
// Portable, it keeps its sets, settings and help beside itself. A program installed in a folder of its own
// that it may write (per user, as the Windows setup installs it) finds its shipped sets in "shipped" there,
// never in "data": each start brings them into "data" by the rule of an installed program's user folders
// (ShippedSets), so that an upgrade replaces only the sets the user never changed, and it then runs
// portable. Any other program is installed and keeps each user's files in the user's folders.
class ProgramLayout final
{
public:
    struct Choice
    {
        // Portable: the folder that keeps the sets ("data", else "../data"), the settings and the help.
        std::optional<juce::File> portableFolder;
        // Installed: the folders named and prepared, with why the sets are read-only.
        std::optional<InstalledFolders::Places> installed;
    };

    ProgramLayout() = delete;

    static Choice choose (const juce::File& binaryFolder, const UserFolder::Environment& environment,
                          const juce::File& workingFolder);

    // Whether a program in that folder is portable: the folder, or the one above it (a build folder), holds
    // a data folder it can write.
    static bool holdsWritableData (const juce::File& binaryFolder);

private:
    // Brings the shipped sets beside the program into its data folder; true when that folder now holds
    // them, or sets of the user's, and can be written.
    static bool bringsShippedSetsIn (const juce::File& binaryFolder, const juce::File& shipped);
};
