#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The main screen's texts inside the frame: the set's name in yellow at the top, the advice in white in the
// middle, never squeezed but wrapped over as many lines as it needs, and the author in grey below. They
// are the screen's children; showing a text never counts as an edit.
class AdviceLabels final
{
public:
    explicit AdviceLabels (juce::Component& screen);

    void show (const juce::String& setName, const juce::String& advice, const juce::String& author);

    juce::String getAdvice() const { return advice.getText(); }

    // Inside the frame of a screen of that size.
    void layOut (int screenWidth, int screenHeight);

private:
    juce::Label setName;
    juce::Label advice;
    juce::Label author;

    JUCE_DECLARE_NON_COPYABLE (AdviceLabels)
};
