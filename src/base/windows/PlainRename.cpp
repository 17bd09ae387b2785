#include "base/PlainRename.h"

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

namespace
{
// A file another program has open (reading a set, or replacing it at the same moment) cannot be replaced
// until it is closed, which takes moments: the rename is tried again meanwhile.
constexpr int busyAttempts = 100;
constexpr int busyPauseMilliseconds = 10;
} // namespace

bool PlainRename::move (const juce::File& from, const juce::File& to)
{
    for (int attempt = 0; attempt < busyAttempts; ++attempt)
    {
        // Without MOVEFILE_COPY_ALLOWED: between volumes the system would copy and delete, which is no
        // rename.
        if (MoveFileExW (from.getFullPathName().toWideCharPointer(), to.getFullPathName().toWideCharPointer(),
                         MOVEFILE_REPLACE_EXISTING) != 0)
            return true;

        const auto error = GetLastError();

        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || !from.existsAsFile())
            return false;

        Sleep (busyPauseMilliseconds);
    }

    return false;
}
