#include "widgets/SpecialLabel.h"

#include "widgets/SetTextInputFilter.h"

namespace
{
// The toolkit's field replaces a selection with whatever its filter lets in, even nothing: a keystroke the
// set cannot take would wipe the selected text. Here it leaves the selection, and the filter still tells it.
class SetTextEditor final : public juce::TextEditor
{
public:
    using juce::TextEditor::TextEditor;

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
