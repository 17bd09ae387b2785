#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// A label of the set editor, edited in place with the characters SetTextRules allows. What was typed is
// tidied before it is accepted; an accepted new text is announced with a change message, a wheel turn over
// the label with the action message wheelMessage.
class SpecialLabel final
    : public juce::Label
    , public juce::ChangeBroadcaster
    , public juce::ActionBroadcaster
{
public:
    static constexpr const char* wheelMessage = "LWheel";

    SpecialLabel();
    ~SpecialLabel() override;

    // A free-text field is framed, never dims on hover and may be committed empty.
    void setIsATextEditor (bool freeTextField);
    juce::MouseWheelDetails getMouseWheel() const;

    // Takes what is being typed as Return would, so that a command can act on it; nothing when the
    // label is not being edited.
    void commitEdit();

    // Told what the field holds as it is typed, and the label's own text when the typing ends.
    std::function<void (const juce::String&)> onTyping;

    // Told a character that was typed or pasted and left out, as a set may not hold it.
    std::function<void (juce::juce_wchar)> onRefusedCharacter;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void paint (juce::Graphics&) override;

protected:
    juce::TextEditor* createEditorComponent() override;
    void textEditorTextChanged (juce::TextEditor&) override;
    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    void editorAboutToBeHidden (juce::TextEditor*) override;

private:
    bool isATextEditor = false;
    juce::MouseWheelDetails mouseWheel{};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpecialLabel)
};
