#include "widgets/TextContrast.h"

#include <cmath>

float TextContrast::relativeLuminance (juce::Colour colour)
{
    // sRGB components made linear, then weighted as the eye weighs them.
    const auto linear = [] (juce::uint8 component)
    {
        const auto c = (float) component / 255.0f;
        return c <= 0.04045f ? c / 12.92f : std::pow ((c + 0.055f) / 1.055f, 2.4f);
    };

    return 0.2126f * linear (colour.getRed()) + 0.7152f * linear (colour.getGreen()) +
           0.0722f * linear (colour.getBlue());
}

float TextContrast::ratio (juce::Colour first, juce::Colour second)
{
    const auto a = relativeLuminance (first) + 0.05f;
    const auto b = relativeLuminance (second) + 0.05f;
    return juce::jmax (a, b) / juce::jmin (a, b);
}

juce::Colour TextContrast::blackOrWhiteOn (juce::Colour background)
{
    return ratio (background, juce::Colours::black) > ratio (background, juce::Colours::white)
               ? juce::Colours::black
               : juce::Colours::white;
}
