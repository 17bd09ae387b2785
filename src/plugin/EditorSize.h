#pragma once

#include <juce_graphics/juce_graphics.h>

#include <optional>

// The plugin window's size: the card's own 500 x 350 up to twice that, always in the card's proportions,
// so that the card scales as a picture and nothing is laid out anew.
class EditorSize final
{
public:
    EditorSize() = delete;

    static constexpr int cardWidth = 500;
    static constexpr int cardHeight = 350;
    static constexpr int largestScale = 2;

    static juce::Rectangle<int> smallest() { return { cardWidth, cardHeight }; }
    static juce::Rectangle<int> largest() { return { cardWidth * largestScale, cardHeight * largestScale }; }

    // The size a window of that width shows the card at, within the limits; a kept size that is not one
    // (a hand-edited or damaged state) comes back as the nearest that is.
    static juce::Rectangle<int> forWidth (int width);

    // The size kept in a state, usable, or none when the state keeps none (older states, or a window never
    // resized): the window then opens at the card's own size.
    static std::optional<juce::Rectangle<int>> fromState (int width, int height);

    // How much the card is scaled to fill a window of that size, whole inside it whatever size a host forced.
    static float scaleFor (juce::Rectangle<int> window);
};
