#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

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

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void paint (juce::Graphics&) override;

protected:
    juce::TextEditor* createEditorComponent() override;
    void textEditorTextChanged (juce::TextEditor&) override;
    void textEditorReturnKeyPressed (juce::TextEditor&) override;

private:
    bool isATextEditor = false;
    juce::MouseWheelDetails mouseWheel{};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpecialLabel)
};
