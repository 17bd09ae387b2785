#pragma once

#include "base/FileStatus.h"

// The state of a file as the set readers see it, and its bytes, read only from a regular file (or a link
// to one). juce::File::existsAsFile is true for FIFOs and devices too: opening a FIFO blocks until some
// other program writes into it, and a device such as /dev/zero never ends, so every reader asks here
// (FileStatus, which follows links) before it opens anything.
class RegularFile final
{
public:
    using Status = FileStatus;

    static Status getStatus (const juce::File& file) { return FileStatus::of (file); }
    static bool isRegular (const juce::File& file) { return getStatus (file).regular; }

    // Up to maxBytes of the file's first bytes (the whole file by default) into bytes; false, with bytes
    // emptied, for a file that is no regular file or cannot be read.
    static bool read (const juce::File& file, juce::MemoryBlock& bytes,
                      size_t maxBytes = std::numeric_limits<size_t>::max());
};
