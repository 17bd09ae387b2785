#include "base/FileStatus.h"

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

namespace
{
// FILETIME counts 100 ns steps from 1601; the status counts nanoseconds from 1970.
constexpr juce::int64 filetimeStepsTo1970 = 116444736000000000;
} // namespace

FileStatus FileStatus::of (const juce::File& file)
{
    if (file == juce::File())
        return {};

    // Opened for its attributes only, which every other program's sharing mode allows, and through links to
    // what they lead to; the wide name reaches any path, whatever the system's code page.
    const auto handle = CreateFileW (file.getFullPathName().toWideCharPointer(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);

    if (handle == INVALID_HANDLE_VALUE)
        return {};

    BY_HANDLE_FILE_INFORMATION info{};
    // Devices (NUL, CON) and pipes are no disk files.
    const auto asked = GetFileType (handle) == FILE_TYPE_DISK && GetFileInformationByHandle (handle, &info);
    CloseHandle (handle);

    if (!asked || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return {};

    const auto size = (juce::int64) (((juce::uint64) info.nFileSizeHigh << 32) | info.nFileSizeLow);
    const auto written = (juce::int64) (((juce::uint64) info.ftLastWriteTime.dwHighDateTime << 32) |
                                        info.ftLastWriteTime.dwLowDateTime);
    return { true, size, (written - filetimeStepsTo1970) * 100 };
}
