#include "cli/HeldPath.h"

HeldPath::HeldPath (int handle, const juce::File& name)
    : descriptor (handle)
    , file (name)
{
}

HeldPath::~HeldPath() = default;

std::unique_ptr<HeldPath> HeldPath::open (const std::string&)
{
    return nullptr;
}

bool HeldPath::exists (const std::string&)
{
    return false;
}
