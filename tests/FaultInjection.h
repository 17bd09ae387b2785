#pragma once

#include "TestHelpers.h"
#include <juce_core/juce_core.h>

#include <memory>

// Ways to make the file system fail under the code being tested, also when the tests run as root (or as an
// administrator). Each system has its own means (tests/posix, tests/windows); where one has none, the
// object does not hold and says why, and the test is skipped with that reason.
namespace fault_injection
{
// Every write beyond maximumBytes of a file fails while the object lives, as on a full disk: the write
// stops part-way and the file holds only its first bytes.
class ScopedFileSizeLimit final
{
public:
    explicit ScopedFileSizeLimit (juce::int64 maximumBytes);
    ~ScopedFileSizeLimit();

    // Empty where the system can limit the size of files; else why not, for the test's skip.
    static juce::String whyUnavailable();

    bool holds() const { return holding; }

private:
    struct Native;
    std::unique_ptr<Native> native;
    bool holding = false;

    JUCE_DECLARE_NON_COPYABLE (ScopedFileSizeLimit)
};

// Memory beyond extraBytes more than the process maps now cannot be had while the object lives, so that
// code that reads an endless device fails at once with std::bad_alloc instead of filling the machine's
// memory. Where no such limit can be set (under AddressSanitizer, which maps its shadow memory as it goes),
// holds() is false.
class ScopedAddressSpaceLimit final
{
public:
    explicit ScopedAddressSpaceLimit (juce::int64 extraBytes);
    ~ScopedAddressSpaceLimit();

    bool holds() const { return holding; }

private:
    struct Native;
    std::unique_ptr<Native> native;
    bool holding = false;

    JUCE_DECLARE_NON_COPYABLE (ScopedAddressSpaceLimit)
};

// The file cannot be opened for reading by this process while the object lives.
class ScopedUnreadableFile final
{
public:
    explicit ScopedUnreadableFile (const juce::File& fileToHide);
    ~ScopedUnreadableFile();

    // False where the file could not be made unreadable for this process: the test should then fail.
    bool holds() const { return holding; }

private:
    struct Native;
    std::unique_ptr<Native> native;
    juce::File file;
    bool holding = false;

    JUCE_DECLARE_NON_COPYABLE (ScopedUnreadableFile)
};

// No file can be created in, renamed into or removed from the folder by this process while the object lives.
class ScopedReadOnlyFolder final
{
public:
    explicit ScopedReadOnlyFolder (const juce::File& folderToProtect);
    ~ScopedReadOnlyFolder();

    // False where the folder could not be made read-only for this process (no right to change the
    // effective user, a folder that "nobody" cannot reach, a system that does not enforce access rights):
    // the test should then be skipped.
    bool holds() const { return holding; }

private:
    struct Native;

    // Tried, not assumed: the file system has the last word.
    bool acceptsNewFiles() const
    {
        const auto probe = folder.getChildFile (".read-only-probe");
        const auto written = probe.create().wasOk();
        probe.deleteFile();
        return written;
    }

    std::unique_ptr<Native> native;
    juce::File folder;
    bool holding = false;

    JUCE_DECLARE_NON_COPYABLE (ScopedReadOnlyFolder)
};
} // namespace fault_injection
