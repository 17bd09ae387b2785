#pragma once

#include <juce_graphics/juce_graphics.h>

// How well text stands out from its background, by the contrast ratio of the web's accessibility
// guidelines (1:1 to 21:1, 4.5:1 the least for plain text); the toolkit offers only perceived brightness.
class TextContrast final
{
public:
    // The ratio of the lighter colour's relative luminance to the darker's, each plus 0.05.
    static float ratio (juce::Colour first, juce::Colour second);

    // Black or white, whichever stands out more on that background: on any opaque colour at least 4.5:1.
    static juce::Colour blackOrWhiteOn (juce::Colour background);

private:
    static float relativeLuminance (juce::Colour colour);

    TextContrast() = delete;
};
