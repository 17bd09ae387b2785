#include "plugin/EditorSize.h"

juce::Rectangle<int> EditorSize::forWidth (int width)
{
    const auto clamped = juce::jlimit (cardWidth, cardWidth * largestScale, width);
    return { clamped, juce::roundToInt (clamped * static_cast<double> (cardHeight) / cardWidth) };
}

std::optional<juce::Rectangle<int>> EditorSize::fromState (int width, int height)
{
    if (width <= 0 || height <= 0)
        return std::nullopt;

    return forWidth (width);
}

float EditorSize::scaleFor (juce::Rectangle<int> window)
{
    return juce::jmin (static_cast<float> (window.getWidth()) / cardWidth,
                       static_cast<float> (window.getHeight()) / cardHeight);
}
