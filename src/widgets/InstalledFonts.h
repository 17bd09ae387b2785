#pragma once

#include "base/UserFolder.h"

// The fonts the toolkit finds on this system, told by what it reads to find them: the settings that name
// the font folders and every file in those folders, each with its size and modification time. Text
// measured once holds as long as this description stays the same. Each system its own way (posix/,
// windows/).
class InstalledFonts final
{
public:
    InstalledFonts() = delete;

    // One line for each setting and file, in the order the toolkit reads them.
    static juce::String describe (const UserFolder::Environment& environment);

    // Each file under folder and its subfolders, as "path size time" lines, after the folder's own line.
    static void describeFolder (const juce::File& folder, juce::OutputStream& description);
};
