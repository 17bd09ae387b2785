#include "FaultInjection.h"

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <aclapi.h>

#include <string>

namespace fault_injection
{
struct ScopedFileSizeLimit::Native
{
};

ScopedFileSizeLimit::ScopedFileSizeLimit (juce::int64)
    : native (std::make_unique<Native>())
{
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() = default;

juce::String ScopedFileSizeLimit::whyUnavailable()
{
    return "Windows sets no limit on the size of a process's files, so no full disk can be faked";
}

// Windows reports a failed allocation in time; only the POSIX tests read endless devices.
struct ScopedAddressSpaceLimit::Native
{
};

ScopedAddressSpaceLimit::ScopedAddressSpaceLimit (juce::int64)
    : native (std::make_unique<Native>())
{
}

ScopedAddressSpaceLimit::~ScopedAddressSpaceLimit() = default;

// Held open with no sharing: no other handle can be opened on the file, by this process or any other.
struct ScopedUnreadableFile::Native
{
    HANDLE handle = INVALID_HANDLE_VALUE;
};

ScopedUnreadableFile::ScopedUnreadableFile (const juce::File& fileToHide)
    : native (std::make_unique<Native>())
    , file (fileToHide)
{
    native->handle = CreateFileW (file.getFullPathName().toWideCharPointer(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    holding = native->handle != INVALID_HANDLE_VALUE && !juce::FileInputStream (file).openedOk();
}

ScopedUnreadableFile::~ScopedUnreadableFile()
{
    if (native->handle != INVALID_HANDLE_VALUE)
        CloseHandle (native->handle);
}

// The folder's read-only attribute keeps nothing out of it: an entry of its access list denies the current
// user the right to add or remove its files, then the old list is put back. Administrators are denied too.
struct ScopedReadOnlyFolder::Native
{
    std::wstring path;
    PSECURITY_DESCRIPTOR previousDescriptor = nullptr;
    PACL previousList = nullptr;
    bool changed = false;
};

ScopedReadOnlyFolder::ScopedReadOnlyFolder (const juce::File& folderToProtect)
    : native (std::make_unique<Native>())
    , folder (folderToProtect)
{
    native->path = folder.getFullPathName().toWideCharPointer();

    if (GetNamedSecurityInfoW (native->path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                               nullptr, &native->previousList, nullptr,
                               &native->previousDescriptor) != ERROR_SUCCESS)
        return;

    EXPLICIT_ACCESS_W denial{};
    denial.grfAccessPermissions = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD;
    denial.grfAccessMode = DENY_ACCESS;
    denial.grfInheritance = NO_INHERITANCE;
    wchar_t currentUser[] = L"CURRENT_USER";
    BuildTrusteeWithNameW (&denial.Trustee, currentUser);
    PACL list = nullptr;

    if (SetEntriesInAclW (1, &denial, native->previousList, &list) != ERROR_SUCCESS)
        return;

    native->changed = SetNamedSecurityInfoW (native->path.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                             nullptr, nullptr, list, nullptr) == ERROR_SUCCESS;
    LocalFree (list);
    holding = native->changed && !acceptsNewFiles();
}

ScopedReadOnlyFolder::~ScopedReadOnlyFolder()
{
    if (native->changed)
        SetNamedSecurityInfoW (native->path.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                               nullptr, native->previousList, nullptr);

    if (native->previousDescriptor != nullptr)
        LocalFree (native->previousDescriptor);
}
} // namespace fault_injection
