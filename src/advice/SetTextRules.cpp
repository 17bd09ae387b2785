#include "advice/SetTextRules.h"

const juce::String SetTextRules::allowedCharacters = juce::String::fromUTF8 (
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ&\"'# ()-_%!.,?:/*+=`"
    "àâäçèéêëîïôöùûü"
    "ÀÂÄÇÈÉÊËÎÏÔÖÙÛÜ");

juce::juce_wchar SetTextRules::findRefusedCharacter (const juce::String& text)
{
    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (!allowedCharacters.containsChar (c))
            return c;
    }

    return 0;
}
