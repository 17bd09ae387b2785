#pragma once

#include <juce_core/juce_core.h>

#include <array>

// What the texts of a set may hold: the characters the set editor lets be typed or pasted, and how many.
class SetTextRules final
{
public:
    static const juce::String allowedCharacters;
    static constexpr int maximumLength = 400;

    static bool isAllowed (juce::juce_wchar c)
    {
        return (juce::uint32) c < 256 && allowedBelow256[(size_t) c];
    }

    // The first character of text that is not allowed, or 0.
    static juce::juce_wchar findRefusedCharacter (const juce::String& text);

private:
    // Every allowed character lies below U+0100: a table of those answers at once, where looking each
    // character up in allowedCharacters walks through its UTF-8 text.
    static const std::array<bool, 256> allowedBelow256;
};
