#include "TestPlatform.h"

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <psapi.h>

namespace test_platform
{
namespace
{
    // FILETIME counts 100 ns steps from 1601.
    constexpr juce::int64 filetimeStepsTo1970 = 116444736000000000;
} // namespace

juce::File makeTemporaryFolder (const juce::String& prefix)
{
    const auto temporary = juce::File::getSpecialLocation (juce::File::tempDirectory);
    juce::Random random;

    // CreateDirectoryW fails on a name already taken, so a name is picked and created in one step.
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        const auto folder = temporary.getChildFile (prefix + juce::String::toHexString (random.nextInt64()));

        if (CreateDirectoryW (folder.getFullPathName().toWideCharPointer(), nullptr) != 0)
            return folder;
    }

    return {};
}

bool setModificationTime (const juce::File& file, juce::int64 nanosecondsSince1970)
{
    const auto handle = CreateFileW (file.getFullPathName().toWideCharPointer(), FILE_WRITE_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);

    if (handle == INVALID_HANDLE_VALUE)
        return false;

    const auto steps = (juce::uint64) (nanosecondsSince1970 / 100 + filetimeStepsTo1970);
    FILETIME written{ (DWORD) (steps & 0xffffffff), (DWORD) (steps >> 32) };
    const auto set = SetFileTime (handle, nullptr, nullptr, &written) != 0;
    CloseHandle (handle);
    return set;
}

juce::int64 bytesReadByThisProcess()
{
    IO_COUNTERS counters{};
    return GetProcessIoCounters (GetCurrentProcess(), &counters) != 0
               ? (juce::int64) counters.ReadTransferCount
               : -1;
}

juce::int64 residentKilobytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof (counters);

    if (K32GetProcessMemoryInfo (GetCurrentProcess(), &counters, sizeof (counters)) == 0)
        return 0;

    return (juce::int64) (counters.WorkingSetSize / 1024);
}

juce::String whyNoFifos()
{
    return "Windows keeps no FIFOs in folders";
}

bool makeFifo (const juce::File&)
{
    return false;
}

void openFifoWriterOnce (const juce::File&) {}

juce::File getNullDevice()
{
    return juce::File ("\\\\.\\NUL");
}

juce::String whyNoEndlessDevice()
{
    return "Windows has no endless device a folder can link to";
}

juce::File getEndlessDevice()
{
    return {};
}

juce::String whyNoMarkingProgram()
{
    return "Windows starts only .exe programs, which the tests cannot write without a compiler";
}

bool writeMarkingProgram (const juce::File&, const juce::File&)
{
    return false;
}

bool canMakeSymbolicLinks()
{
    const auto folder = makeTemporaryFolder ("musewheeler-link-probe-");

    if (folder == juce::File())
        return false;

    const auto made = folder.getChildFile ("target").create().wasOk() &&
                      folder.getChildFile ("target").createSymbolicLink (folder.getChildFile ("link"), false);
    folder.deleteRecursively();
    return made;
}
} // namespace test_platform
