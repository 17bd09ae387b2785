#include "base/PlainRename.h"

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

bool PlainRename::move (const juce::File& from, const juce::File& to)
{
    // Without MOVEFILE_COPY_ALLOWED: between volumes the system would copy and delete, which is no rename.
    return MoveFileExW (from.getFullPathName().toWideCharPointer(), to.getFullPathName().toWideCharPointer(),
                        MOVEFILE_REPLACE_EXISTING) != 0;
}
