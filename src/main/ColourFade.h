#pragma once

#include <juce_graphics/juce_graphics.h>

// The main screen's change of colour from one set's to the next: the old colour is held for the first
// holdTicks ticks, then hue, saturation and brightness move to the new colour in equal steps.
class ColourFade final
{
public:
    static constexpr int ticks = 30;
    static constexpr int holdTicks = 20;

    void start (juce::Colour from, juce::Colour to);

    // The colour the fade ends on, or was last set to.
    juce::Colour getTarget() const { return target; }
    void setTarget (juce::Colour colour) { target = colour; }

    // One tick on: the colour to show then, which is the one shown while the old colour is held.
    juce::Colour advance (juce::Colour shown);

    bool isRunning() const { return step < ticks; }
    int getStep() const { return step; }

private:
    int step = 0;
    juce::Colour startColour;
    juce::Colour target;
};
