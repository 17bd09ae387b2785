#include "advice/SetTextRules.h"

#include <array>

const juce::String SetTextRules::allowedCharacters = juce::String::fromUTF8 (
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ&\"'# ()-_%!.,?:/*+=`"
    "àâäçèéêëîïôöùûü"
    "ÀÂÄÇÈÉÊËÎÏÔÖÙÛÜ");

// Made after allowedCharacters, which this file defines first.
const std::array<bool, 256> SetTextRules::allowedBelow256 = []
{
    std::array<bool, 256> table{};

    for (auto p = allowedCharacters.getCharPointer(); !p.isEmpty();)
        table[(size_t) p.getAndAdvance()] = true;

    return table;
}();

juce::juce_wchar SetTextRules::findRefusedCharacter (const juce::String& text)
{
    for (auto p = text.getCharPointer(); !p.isEmpty();)
        if (const auto c = p.getAndAdvance(); !isAllowed (c))
            return c;

    return 0;
}
