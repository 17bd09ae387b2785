#pragma once

#include <juce_core/juce_core.h>

// What the system tells of a file, following links: whether it is a regular file (no folder, FIFO or
// device), its size and when it was last written. Each system has its own call for it, in posix/ and
// windows/.
struct FileStatus
{
    bool regular = false;
    juce::int64 size = 0;
    juce::int64 modificationTime = 0; // nanoseconds since 1970

    bool operator== (const FileStatus& other) const
    {
        return regular == other.regular && size == other.size && modificationTime == other.modificationTime;
    }

    bool operator!= (const FileStatus& other) const { return !operator== (other); }

    // All false and zero for a file that is missing or cannot be asked about.
    static FileStatus of (const juce::File& file);
};
