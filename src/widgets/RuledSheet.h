#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The dark ruled sheet that the About and options panels lie on over the main screen: a nearly opaque
// black ground, faint lines about every five pixels and a thin grey frame, both inset from the edges.
class RuledSheet final
{
public:
    static constexpr int inset = 15;
    static constexpr int lineSpacing = 5;

    // Fills the whole area; the lines share out the framed height evenly, so the last one may sit
    // slightly closer than five pixels to the one before it.
    static void paint (juce::Graphics& g, juce::Rectangle<int> area);

    RuledSheet() = delete;
};
