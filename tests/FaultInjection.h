#pragma once

#include <juce_core/juce_core.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// Ways to make the file system fail under the code being tested, also when the tests run as root.
namespace fault_injection
{
// Every write beyond maximumBytes of a file fails while the object lives, as on a full disk: the write
// stops part-way and the file holds only its first bytes. The kernel's signal for it is ignored so that
// the write reports the failure instead of ending the test program.
class ScopedFileSizeLimit final
{
public:
    explicit ScopedFileSizeLimit (rlim_t maximumBytes)
    {
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        getrlimit (RLIMIT_FSIZE, &previous);
        auto limited = previous;
        limited.rlim_cur = maximumBytes;
        holding = setrlimit (RLIMIT_FSIZE, &limited) == 0;
    }

    ~ScopedFileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &previous);
        std::signal (SIGXFSZ, previousHandler);
    }

    bool holds() const { return holding; }

private:
    rlimit previous{};
    void (*previousHandler) (int) = SIG_DFL;
    bool holding = false;

    JUCE_DECLARE_NON_COPYABLE (ScopedFileSizeLimit)
};

// Memory beyond extraBytes more than the process maps now cannot be had while the object lives, so that
// code that reads an endless device fails at once with std::bad_alloc instead of filling the machine's
// memory. AddressSanitizer maps its shadow memory as it goes and cannot run under such a limit: there
// none is set, and holds() is false.
class ScopedAddressSpaceLimit final
{
public:
    explicit ScopedAddressSpaceLimit (rlim_t extraBytes)
    {
        if (underAddressSanitizer)
            return;

        const auto pages = juce::File ("/proc/self/statm").loadFileAsString().getLargeIntValue();

        if (pages <= 0 || getrlimit (RLIMIT_AS, &previous) != 0)
            return;

        auto limited = previous;
        limited.rlim_cur =
            std::min ((rlim_t) pages * (rlim_t) sysconf (_SC_PAGESIZE) + extraBytes, previous.rlim_max);
        holding = setrlimit (RLIMIT_AS, &limited) == 0;
    }

    ~ScopedAddressSpaceLimit()
    {
        if (holding)
            setrlimit (RLIMIT_AS, &previous);
    }

    bool holds() const { return holding; }

private:
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool underAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    static constexpr bool underAddressSanitizer = true;
#else
    static constexpr bool underAddressSanitizer = false;
#endif
#else
    static constexpr bool underAddressSanitizer = false;
#endif

    rlimit previous{};
    bool holding = false;

    JUCE_DECLARE_NON_COPYABLE (ScopedAddressSpaceLimit)
};

// Root reads and writes whatever the permissions say, so a test run as root takes the identity of
// "nobody" while the object lives (its effective ids only, which are given back). The files the test
// then reads must be readable by everyone, as files written with the usual umask are.
class ScopedUnprivilegedUser final
{
public:
    static constexpr uid_t nobody = 65534;

    ScopedUnprivilegedUser()
    {
        if (geteuid() != 0)
            return;

        if (setegid ((gid_t) nobody) == 0 && seteuid (nobody) == 0)
            droppedRoot = true;
        else
            failed = true;
    }

    ~ScopedUnprivilegedUser()
    {
        if (!droppedRoot)
            return;

        [[maybe_unused]] const auto user = seteuid (0);
        [[maybe_unused]] const auto group = setegid (0);
        // Changing the effective user made the process undumpable, which would keep debuggers and the
        // leak checker out of it.
        prctl (PR_SET_DUMPABLE, 1);
    }

    // False for root without the right to change its effective user.
    bool holds() const { return !failed; }

private:
    bool droppedRoot = false;
    bool failed = false;

    JUCE_DECLARE_NON_COPYABLE (ScopedUnprivilegedUser)
};

// The folder is read-only for this process while the object lives, also when the tests run as root.
class ScopedReadOnlyFolder final
{
public:
    explicit ScopedReadOnlyFolder (const juce::File& folderToProtect)
        : folder (folderToProtect)
    {
        struct stat info
        {
        };

        if (stat (path(), &info) != 0 || chmod (path(), info.st_mode & 0555) != 0)
            return;

        previousMode = info.st_mode & 07777;
        user.emplace();
        holding = user->holds() && euidaccess (path(), R_OK | X_OK) == 0 && !acceptsNewFiles();
    }

    ~ScopedReadOnlyFolder()
    {
        user.reset();

        if (previousMode != 0)
            chmod (path(), previousMode);
    }

    // False where the folder could not be made read-only for this process (no right to change the
    // effective user, or a folder that "nobody" cannot reach): the test should then be skipped.
    bool holds() const { return holding; }

private:
    const char* path() const { return folder.getFullPathName().toRawUTF8(); }

    bool acceptsNewFiles() const
    {
        const auto probe = folder.getChildFile (".read-only-probe");
        const auto written = probe.create().wasOk();
        probe.deleteFile();
        return written;
    }

    juce::File folder;
    mode_t previousMode = 0;
    std::optional<ScopedUnprivilegedUser> user;
    bool holding = false;

    JUCE_DECLARE_NON_COPYABLE (ScopedReadOnlyFolder)
};
} // namespace fault_injection
