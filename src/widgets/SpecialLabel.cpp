#include "widgets/SpecialLabel.h"

#include "widgets/SetTextInputFilter.h"

namespace
{
// The toolkit's field replaces a selection with whatever its filter lets in, even nothing: a keystroke the
// set cannot take would wipe the selected text. Here it leaves the selection, and the filter still tells it.
// Return and Escape end the typing at once, through onEnd.
class SetTextEditor final : public juce::TextEditor
{
public:
    using juce::TextEditor::TextEditor;

    // Told Return (true) or Escape (false); it closes the field, deleting it.
    std::function<void (bool accepted)> onEnd;

    // The toolkit's field tells Return and Escape through a posted message, which a busy program reaches only
    // after the input already queued behind the key: a click back into the field would land in the closing
    // editor and the keys typed after it be lost, and a command would take the text Escape dropped.
    bool keyPressed (const juce::KeyPress& key) override
    {
        const auto isReturn = key == juce::KeyPress::returnKey;

        if (onEnd == nullptr || !(isReturn || key.isKeyCode (juce::KeyPress::escapeKey)))
            return juce::TextEditor::keyPressed (key);

        // A copy, as the field and its members are gone when it returns.
        const auto end = onEnd;
        end (isReturn);
        return true;
    }

    void insertTextAtCaret (const juce::String& text) override
    {
        if (text.isNotEmpty() && !SetTextInputFilter::letsInAnythingOf (text))
        {
            if (auto* filter = getInputFilter())
                filter->filterNewText (*this, text);

            return;
        }

        juce::TextEditor::insertTextAtCaret (text);
    }
};
} // namespace

SpecialLabel::SpecialLabel()
    : juce::Label ({}, {})
{
}

SpecialLabel::~SpecialLabel() = default;

void SpecialLabel::setIsATextEditor (bool freeTextField)
{
    isATextEditor = freeTextField;
}

juce::MouseWheelDetails SpecialLabel::getMouseWheel() const
{
    return mouseWheel;
}

void SpecialLabel::commitEdit()
{
    if (auto* textEditor = getCurrentTextEditor())
        textEditorReturnKeyPressed (*textEditor);
}

void SpecialLabel::mouseEnter (const juce::MouseEvent& event)
{
    juce::Label::mouseEnter (event);

    if (!isEnabled())
        return;

    // Dimming tells the user that a click edits the text; a free-text field looks editable already.
    if (!isBeingEdited() && !isATextEditor)
        setColour (juce::Label::textColourId, findColour (juce::Label::textColourId).withAlpha (0.5f));

    setOpaque (false);
}

void SpecialLabel::mouseExit (const juce::MouseEvent& event)
{
    juce::Label::mouseExit (event);

    if (!isEnabled())
        return;

    setColour (juce::Label::textColourId, findColour (juce::Label::textColourId).withAlpha (1.0f));
    setOpaque (false);
}

void SpecialLabel::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    mouseWheel = wheel;

    if (!isBeingEdited())
        sendActionMessage (wheelMessage);
}

void SpecialLabel::paint (juce::Graphics& g)
{
    juce::Label::paint (g);

    if (isATextEditor)
    {
        g.setColour (juce::Colours::darkgrey);
        g.drawRect (getLocalBounds(), 1);
    }
}

juce::TextEditor* SpecialLabel::createEditorComponent()
{
    // Built afresh rather than through juce::Label's version, which copies the label's explicit colours:
    // every label carries a black TextEditor text colour from its constructor, and typed text would be
    // black on the editor's black page. Without copied colours the field takes the look-and-feel's.
    auto* textEditor = new SetTextEditor (getName());

    textEditor->applyFontToAllText (getLookAndFeel().getLabelFont (*this));
    textEditor->setBorder (getBorderSize());
    textEditor->setIndents (0, 0);
    textEditor->setJustification (getJustificationType());
    textEditor->setColour (juce::TextEditor::highlightedTextColourId, juce::Colours::white);
    textEditor->setColour (juce::TextEditor::highlightColourId, juce::Colours::orange);
    textEditor->setInputFilter (
        new SetTextInputFilter (
            [safeThis = juce::Component::SafePointer<SpecialLabel> (this)] (juce::juce_wchar refused)
            {
                if (safeThis != nullptr && safeThis->onRefusedCharacter != nullptr)
                    safeThis->onRefusedCharacter (refused);
            }),
        true);
    textEditor->setOpaque (false);
    textEditor->setSelectAllWhenFocused (false);
    textEditor->setMultiLine (true, true);
    textEditor->setReturnKeyStartsNewLine (false);
    textEditor->setScrollbarsShown (false);
    textEditor->onEnd = [this, textEditor] (bool accepted)
    {
        if (accepted)
            textEditorReturnKeyPressed (*textEditor);
        else
            textEditorEscapeKeyPressed (*textEditor);
    };

    return textEditor;
}

void SpecialLabel::textEditorTextChanged (juce::TextEditor& textEditor)
{
    // The label's text changes only when an edit is committed; the owner may look at what is typed.
    if (onTyping != nullptr)
        onTyping (textEditor.getText());
}

void SpecialLabel::editorAboutToBeHidden (juce::TextEditor* textEditor)
{
    juce::Label::editorAboutToBeHidden (textEditor);

    // An edit dropped leaves the label's text; one taken is told again once the owner has it.
    if (onTyping != nullptr)
        onTyping (getText());
}

void SpecialLabel::textEditorReturnKeyPressed (juce::TextEditor& textEditor)
{
    auto text = textEditor.getText().trim();

    while (text.contains ("  "))
        text = text.replace ("  ", " ");

    textEditor.setText (text, false);

    // An unchanged text, or an emptied one where empty makes no sense, is an edit abandoned.
    if ((text.isEmpty() && !isATextEditor) || text == getText())
    {
        juce::Label::textEditorEscapeKeyPressed (textEditor);
        return;
    }

    juce::Component::SafePointer<SpecialLabel> safeThis (this);
    juce::Label::textEditorReturnKeyPressed (textEditor);

    if (safeThis != nullptr)
        sendChangeMessage();
}
