#pragma once

#include <juce_core/juce_core.h>

#include <array>

// Tells when a host or a MIDI controller asks for a draw, on the audio thread: each rising edge of the
// "Draw" parameter (switched on, as an automation lane does at a marker), and each time the draw
// controller goes from its lower half (0 to 63) to its upper half (64 to 127) on a channel, as a
// foot switch or a pad sending 127 then 0 does.
class DrawTrigger final
{
public:
    // The controller that draws: general purpose controller 5, a switch by MIDI's convention.
    static constexpr int drawController = 80;

    // The parameter as it stands for this block; true when it has just been switched on.
    bool parameterSwitchedOn (bool isOn);

    // Whether that MIDI message, as raw bytes, switches the draw controller on.
    bool controllerSwitchedOn (const juce::uint8* data, int numBytes);

    // Playing starts again: a parameter already on, or a controller left up, does not draw.
    void reset();

private:
    bool parameterWasOn = false;
    std::array<bool, 16> controllerWasUp{};
};
