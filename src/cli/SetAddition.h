#pragma once

#include <juce_core/juce_core.h>

// One advice added to a set file through the program's reader and writer, leaving alone a file that
// another program changed between the reading and the writing, and one the reader did not read whole.
class SetAddition final
{
public:
    enum class Result
    {
        added,
        notReadWhole,
        changedMeanwhile,
        writeFailed
    };

    static Result add (const juce::File& setFile, const juce::String& text, const juce::Array<int>& tags);
};
