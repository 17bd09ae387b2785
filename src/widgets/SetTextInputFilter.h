#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// What the set editor's fields let in, typed or pasted: line breaks become spaces (a pasted paragraph keeps
// its words apart), characters a set may not hold are left out and told to onRefused, and the text stays
// within the length a set's value may have.
class SetTextInputFilter final : public juce::TextEditor::InputFilter
{
public:
    explicit SetTextInputFilter (std::function<void (juce::juce_wchar)> refused);

    juce::String filterNewText (juce::TextEditor&, const juce::String& newInput) override;

    // Whether anything of that input would be let in (the length aside).
    static bool letsInAnythingOf (const juce::String& newInput);

private:
    std::function<void (juce::juce_wchar)> onRefused;
    juce::TextEditor::LengthAndCharacterRestriction lengthLimit;

    JUCE_DECLARE_NON_COPYABLE (SetTextInputFilter)
};
