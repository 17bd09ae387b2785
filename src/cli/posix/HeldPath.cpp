#include "cli/HeldPath.h"

#include <fcntl.h>
#include <unistd.h>

HeldPath::HeldPath (int handle, const juce::File& name)
    : descriptor (handle)
    , file (name)
{
}

HeldPath::~HeldPath()
{
    ::close (descriptor);
}

std::unique_ptr<HeldPath> HeldPath::open (const std::string& bytes)
{
    const auto descriptor = ::open (bytes.c_str(), O_PATH | O_CLOEXEC);

    if (descriptor < 0)
        return nullptr;

    return std::unique_ptr<HeldPath> (
        new HeldPath (descriptor, juce::File ("/proc/self/fd/" + juce::String (descriptor))));
}

bool HeldPath::exists (const std::string& bytes)
{
    return ::access (bytes.c_str(), F_OK) == 0;
}
