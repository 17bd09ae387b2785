#include "FaultInjection.h"

#include "TestHelpers.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <optional>

namespace fault_injection
{
namespace
{
    // Root reads and writes whatever the permissions say, so a test run as root takes the identity of
    // "nobody" while the object lives (its effective ids only, which are given back). The files the test then
    // reads must be readable by everyone, as files written with the usual umask are.
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

    // The permission bits of a file, changed while the object lives, then given back.
    class ScopedMode final
    {
    public:
        ScopedMode (const juce::File& file, mode_t keptBits)
            : path (file.getFullPathName().toStdString())
        {
            struct stat info
            {
            };

            if (stat (path.c_str(), &info) == 0 && chmod (path.c_str(), info.st_mode & keptBits) == 0)
                previousMode = info.st_mode & 07777;
        }

        ~ScopedMode()
        {
            if (changed())
                chmod (path.c_str(), previousMode);
        }

        bool changed() const { return previousMode != 0; }

    private:
        std::string path;
        mode_t previousMode = 0;

        JUCE_DECLARE_NON_COPYABLE (ScopedMode)
    };
} // namespace

// The kernel's signal for a write beyond the limit is ignored so that the write reports the failure
// instead of ending the test program.
struct ScopedFileSizeLimit::Native
{
    rlimit previous{};
    void (*previousHandler) (int) = SIG_DFL;
};

ScopedFileSizeLimit::ScopedFileSizeLimit (juce::int64 maximumBytes)
    : native (std::make_unique<Native>())
{
    native->previousHandler = std::signal (SIGXFSZ, SIG_IGN);
    getrlimit (RLIMIT_FSIZE, &native->previous);
    auto limited = native->previous;
    limited.rlim_cur = (rlim_t) maximumBytes;
    holding = setrlimit (RLIMIT_FSIZE, &limited) == 0;
}

ScopedFileSizeLimit::~ScopedFileSizeLimit()
{
    setrlimit (RLIMIT_FSIZE, &native->previous);
    std::signal (SIGXFSZ, native->previousHandler);
}

juce::String ScopedFileSizeLimit::whyUnavailable()
{
    return {};
}

struct ScopedAddressSpaceLimit::Native
{
    rlimit previous{};
};

ScopedAddressSpaceLimit::ScopedAddressSpaceLimit (juce::int64 extraBytes)
    : native (std::make_unique<Native>())
{
    if (testing_helpers::runsUnderAddressSanitizer)
        return;

    const auto pages = juce::File ("/proc/self/statm").loadFileAsString().getLargeIntValue();

    if (pages <= 0 || getrlimit (RLIMIT_AS, &native->previous) != 0)
        return;

    auto limited = native->previous;
    limited.rlim_cur = std::min ((rlim_t) pages * (rlim_t) sysconf (_SC_PAGESIZE) + (rlim_t) extraBytes,
                                 native->previous.rlim_max);
    holding = setrlimit (RLIMIT_AS, &limited) == 0;
}

ScopedAddressSpaceLimit::~ScopedAddressSpaceLimit()
{
    if (holding)
        setrlimit (RLIMIT_AS, &native->previous);
}

// No permission to read, and not root, who would read it anyway.
struct ScopedUnreadableFile::Native
{
    std::optional<ScopedMode> mode;
    std::optional<ScopedUnprivilegedUser> user;
};

ScopedUnreadableFile::ScopedUnreadableFile (const juce::File& fileToHide)
    : native (std::make_unique<Native>())
    , file (fileToHide)
{
    native->mode.emplace (file, 0);

    if (!native->mode->changed())
        return;

    native->user.emplace();
    holding = native->user->holds() && euidaccess (file.getFullPathName().toRawUTF8(), R_OK) != 0;
}

ScopedUnreadableFile::~ScopedUnreadableFile()
{
    // The user first: "nobody" may not give the permissions back.
    native->user.reset();
    native->mode.reset();
}

struct ScopedReadOnlyFolder::Native
{
    std::optional<ScopedMode> mode;
    std::optional<ScopedUnprivilegedUser> user;
};

ScopedReadOnlyFolder::ScopedReadOnlyFolder (const juce::File& folderToProtect)
    : native (std::make_unique<Native>())
    , folder (folderToProtect)
{
    native->mode.emplace (folder, 0555);

    if (!native->mode->changed())
        return;

    native->user.emplace();
    holding = native->user->holds() && euidaccess (folder.getFullPathName().toRawUTF8(), R_OK | X_OK) == 0 &&
              !acceptsNewFiles();
}

ScopedReadOnlyFolder::~ScopedReadOnlyFolder()
{
    native->user.reset();
    native->mode.reset();
}
} // namespace fault_injection
