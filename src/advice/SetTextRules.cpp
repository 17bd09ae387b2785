#include "advice/SetTextRules.h"

#include <array>

const juce::String SetTextRules::allowedCharacters = juce::String::fromUTF8 (
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ&\"'# ()-_%!.,?:/*+=`"
    "àâäçèéêëîïôöùûü"
    "ÀÂÄÇÈÉÊËÎÏÔÖÙÛÜ");

bool SetTextRules::isAllowed (juce::juce_wchar c)
{
    // Every allowed character lies below U+0100: a table of those answers at once, where looking each
    // character up in allowedCharacters walks through its UTF-8 text.
    static const auto allowed = []
    {
        std::array<bool, 256> table{};

        for (auto p = allowedCharacters.getCharPointer(); !p.isEmpty();)
            table[(size_t) p.getAndAdvance()] = true;

        return table;
    }();

    return (juce::uint32) c < 256 && allowed[(size_t) c];
}

juce::juce_wchar SetTextRules::findRefusedCharacter (const juce::String& text)
{
    for (auto p = text.getCharPointer(); !p.isEmpty();)
        if (const auto c = p.getAndAdvance(); !isAllowed (c))
            return c;

    return 0;
}
