#include "plugin/DrawTrigger.h"

bool DrawTrigger::parameterSwitchedOn (bool isOn)
{
    const auto switchedOn = isOn && !parameterWasOn;
    parameterWasOn = isOn;
    return switchedOn;
}

bool DrawTrigger::controllerSwitchedOn (const juce::uint8* data, int numBytes)
{
    constexpr juce::uint8 controllerStatus = 0xb0;

    if (numBytes < 3 || (data[0] & 0xf0) != controllerStatus || data[1] != drawController)
        return false;

    auto& wasUp = controllerWasUp[static_cast<size_t> (data[0] & 0x0f)];
    const auto isUp = data[2] >= 64;
    const auto switchedOn = isUp && !wasUp;
    wasUp = isUp;
    return switchedOn;
}

void DrawTrigger::reset()
{
    parameterWasOn = false;
    controllerWasUp.fill (false);
}
