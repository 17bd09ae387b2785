#pragma once

#include <juce_core/juce_core.h>

// A rename and nothing else: the file takes the new name in one step, replacing any file there. The
// toolkit's moveFileTo and replaceFileIn fall back on deleting the target and copying when the rename
// fails; when the source was moved away meanwhile by another program doing the same work, that copy of a
// missing file leaves the target empty.
class PlainRename final
{
public:
    PlainRename() = delete;

    // False, the target untouched, when the rename failed (the source gone, another file system).
    static bool move (const juce::File& from, const juce::File& to);
};
