#pragma once

#include <juce_core/juce_core.h>

// What the texts of a set may hold: the characters the set editor lets be typed or pasted, and how many.
class SetTextRules final
{
public:
    static const juce::String allowedCharacters;
    static constexpr int maximumLength = 400;

    static bool isAllowed (juce::juce_wchar c);

    // The first character of text that is not allowed, or 0.
    static juce::juce_wchar findRefusedCharacter (const juce::String& text);
};
