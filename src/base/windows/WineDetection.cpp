#include "base/WineDetection.h"

#include <windows.h>

bool WineDetection::isRunningUnderWine()
{
    // Wine's own ntdll exports its version; Windows' never has.
    const auto ntdll = GetModuleHandleW (L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress (ntdll, "wine_get_version") != nullptr;
}
