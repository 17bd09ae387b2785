#pragma once

#include <juce_core/juce_core.h>

// Text laid out for the terminal standard output is: wrapped at word boundaries to its width, and left as
// it is when the output goes to a pipe or a file, where another program reads it.
class TerminalText final
{
public:
    // The width of the terminal on standard output (COLUMNS when it is set, else what the terminal tells),
    // or 0 when standard output is no terminal.
    static int getOutputWidth();

    // text broken into lines of at most width characters at its spaces; a word longer than a line keeps a
    // line of its own. A width of 0 leaves the text as it is.
    static juce::String wrap (const juce::String& text, int width);
};
