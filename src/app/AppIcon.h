#pragma once

#include <juce_graphics/juce_graphics.h>

// The program's icon, drawn in code so that the window and the desktop entry show the same picture: the
// main screen in small, its coloured frame round a few lines of text above the three round buttons.
class AppIcon final
{
public:
    AppIcon() = delete;

    static juce::Image createImage (int size);
};
