#include "widgets/SetTextInputFilter.h"

#include "advice/SetTextRules.h"

SetTextInputFilter::SetTextInputFilter (std::function<void (juce::juce_wchar)> refused)
    : onRefused (std::move (refused))
    , lengthLimit (SetTextRules::maximumLength, {})
{
}

juce::String SetTextInputFilter::filterNewText (juce::TextEditor& editor, const juce::String& newInput)
{
    const auto spaced = newInput.replace ("\r\n", " ").replaceCharacters ("\r\n\t", "   ");
    juce::String kept;
    juce::juce_wchar firstRefused = 0;

    for (auto p = spaced.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (SetTextRules::allowedCharacters.containsChar (c))
            kept += juce::String::charToString (c);
        else if (firstRefused == 0)
            firstRefused = c;
    }

    if (firstRefused != 0 && onRefused != nullptr)
        onRefused (firstRefused);

    return lengthLimit.filterNewText (editor, kept);
}

bool SetTextInputFilter::letsInAnythingOf (const juce::String& newInput)
{
    return newInput.containsAnyOf (SetTextRules::allowedCharacters + "\r\n\t");
}
