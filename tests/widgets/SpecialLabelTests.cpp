#include "widgets/SpecialLabel.h"

#include "TestHelpers.h"
#include "advice/SetTextRules.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;

namespace
{
class SpecialLabelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        label.setBounds (0, 0, 200, 24);
        label.setVisible (true);
        label.setText ("Old text", juce::dontSendNotification);
        label.setEditable (true, false, false);
        label.setColour (juce::Label::textColourId, juce::Colours::white);
        label.onTextChange = [this] { ++textChanges; };
    }

    void TearDown() override
    {
        if (label.isBeingEdited())
            label.hideEditor (true);
    }

    juce::TextEditor& openEditor()
    {
        label.showEditor();
        auto* editor = label.getCurrentTextEditor();
        EXPECT_NE (editor, nullptr);
        return *editor;
    }

    // Replaces what the editor holds, as if the user had typed it, and presses Return.
    void commit (const juce::String& typed)
    {
        auto& editor = openEditor();
        editor.setText (typed, false);
        editor.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
        testing_helpers::deliverMessages();
    }

    wt::ScopedProgramLook programLook;
    SpecialLabel label;
    wt::ChangeCounter changes{ label };
    int textChanges = 0;
};
} // namespace

TEST_F (SpecialLabelTest, acceptsANewTextTrimmedAndWithSingleSpaces)
{
    commit ("   New   text  with     spaces  ");

    EXPECT_EQ (label.getText(), "New text with spaces");
    EXPECT_FALSE (label.isBeingEdited());
    EXPECT_EQ (changes.count, 1);
    EXPECT_EQ (textChanges, 1);
}

TEST_F (SpecialLabelTest, aTextThatOnlyDiffersBySpacesIsAnUnchangedText)
{
    commit ("  Old    text ");

    EXPECT_EQ (label.getText(), "Old text");
    EXPECT_FALSE (label.isBeingEdited());
    EXPECT_EQ (changes.count, 0);
    EXPECT_EQ (textChanges, 0);
}

TEST_F (SpecialLabelTest, aPlainLabelCommittedEmptyKeepsItsText)
{
    commit ("     ");

    EXPECT_EQ (label.getText(), "Old text");
    EXPECT_FALSE (label.isBeingEdited());
    EXPECT_EQ (changes.count, 0);
}

TEST_F (SpecialLabelTest, aFreeTextFieldMayBeEmptiedButAnEmptyOneStaysUnchanged)
{
    label.setIsATextEditor (true);

    commit ("  ");
    EXPECT_TRUE (label.getText().isEmpty());
    EXPECT_EQ (changes.count, 1);
    EXPECT_EQ (textChanges, 1);

    commit ("");
    EXPECT_FALSE (label.isBeingEdited());
    EXPECT_EQ (changes.count, 1);
}

TEST_F (SpecialLabelTest, typingLeavesTheLabelAloneUntilTheEditIsCommitted)
{
    // The editor opens with the whole text selected; typing at its end adds to it.
    auto& editor = openEditor();
    editor.moveCaretToEnd();
    editor.insertTextAtCaret (" and more");
    EXPECT_EQ (label.getText(), "Old text");
    EXPECT_EQ (label.getText (true), "Old text and more");

    // Return commits rather than starting a new line.
    editor.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    testing_helpers::deliverMessages();
    EXPECT_EQ (label.getText(), "Old text and more");
    EXPECT_EQ (changes.count, 1);
}

TEST_F (SpecialLabelTest, clickingElsewhereCommitsByTheSameRules)
{
    auto& editor = openEditor();
    editor.setText ("Clicked  away ", false);

    static_cast<juce::Component&> (label).inputAttemptWhenModal();
    testing_helpers::deliverMessages();

    EXPECT_EQ (label.getText(), "Clicked away");
    EXPECT_FALSE (label.isBeingEdited());
    EXPECT_EQ (changes.count, 1);
}

TEST_F (SpecialLabelTest, editorTakesOnlyTheAllowedCharactersWhetherTypedOrPasted)
{
    auto& editor = openEditor();
    editor.setText ({}, false);

    // A paste inserts its whole text at the caret, through the same filter as typing.
    editor.insertTextAtCaret (SetTextRules::allowedCharacters);
    EXPECT_EQ (editor.getText(), SetTextRules::allowedCharacters);

    editor.setText ({}, false);
    juce::Array<juce::juce_wchar> told;
    label.onRefusedCharacter = [&told] (juce::juce_wchar refused) { told.add (refused); };
    const juce::String rejected (
        juce::CharPointer_UTF8 (";<>[]{}|\\@$^~\xc2\xa7\xc3\xb1\xc3\x91\xc5\x93\xe2\x82\xac"));

    for (auto character : rejected)
        editor.insertTextAtCaret (juce::String::charToString (character));

    EXPECT_EQ (editor.getText(), "");
    EXPECT_EQ (told.size(), rejected.length()) << "each refused character is told";
    EXPECT_EQ (told.getFirst(), ';');

    // A paste of several lines keeps its words apart: each line break, tab or carriage return is a space;
    // a paste told once, by its first refused character.
    told.clear();
    editor.insertTextAtCaret ("Tempo: 120; <fast> & {loud}\r\nSecond line\n" + rejected + "d'accord\tok");
    EXPECT_EQ (editor.getText(), "Tempo: 120 fast & loud Second line d'accord ok");
    EXPECT_EQ (told, juce::Array<juce::juce_wchar> (';'));

    editor.setText ({}, false);
    editor.insertTextAtCaret (juce::String::repeatedString ("ab", 300));
    EXPECT_EQ (editor.getText().length(), SetTextRules::maximumLength);
}

TEST_F (SpecialLabelTest, allowedCharactersAreTheAsciiSetAndTheFrenchAccentedLetters)
{
    const auto& allowed = SetTextRules::allowedCharacters;

    for (juce::juce_wchar c = 0; c < 0x80; ++c)
    {
        const auto expected = juce::CharacterFunctions::isLetterOrDigit (c) ||
                              juce::String ("&\"'# ()-_%!.,?:/*+=`").containsChar (c);
        EXPECT_EQ (allowed.containsChar (c), expected) << (int) c;
    }

    const juce::String accented (
        juce::CharPointer_UTF8 ("\xc3\xa0\xc3\xa2\xc3\xa4\xc3\xa7\xc3\xa8\xc3\xa9\xc3\xaa\xc3\xab\xc3\xae\xc3"
                                "\xaf\xc3\xb4\xc3\xb6\xc3\xb9"
                                "\xc3\xbb\xc3\xbc\xc3\x80\xc3\x82\xc3\x84\xc3\x87\xc3\x88\xc3\x89\xc3\x8a\xc3"
                                "\x8b\xc3\x8e\xc3\x8f\xc3\x94"
                                "\xc3\x96\xc3\x99\xc3\x9b\xc3\x9c"));

    EXPECT_EQ (allowed.length(), 62 + 20 + accented.length());

    for (auto c : accented)
        EXPECT_TRUE (allowed.containsChar (c));
}

TEST_F (SpecialLabelTest, hoverDimsThePlainLabelOnly)
{
    const auto textAlpha = [this] { return label.findColour (juce::Label::textColourId).getAlpha(); };

    label.setOpaque (true);
    wt::enter (label, { 50.0f, 12.0f });
    EXPECT_NEAR (textAlpha(), 128, 1);
    EXPECT_FALSE (label.isOpaque());
    wt::leave (label, { 250.0f, 12.0f });
    EXPECT_EQ (textAlpha(), 255);

    label.setIsATextEditor (true);
    wt::enter (label, { 50.0f, 12.0f });
    EXPECT_EQ (textAlpha(), 255);
    wt::leave (label, { 250.0f, 12.0f });

    label.setIsATextEditor (false);
    openEditor();
    wt::enter (label, { 50.0f, 12.0f });
    EXPECT_EQ (textAlpha(), 255);
    label.hideEditor (true);

    // A disabled label ignores the mouse, even on leaving.
    label.setEnabled (false);
    wt::enter (label, { 50.0f, 12.0f });
    EXPECT_EQ (textAlpha(), 255);
    label.setColour (juce::Label::textColourId, juce::Colours::white.withAlpha (0.5f));
    wt::leave (label, { 250.0f, 12.0f });
    EXPECT_NEAR (textAlpha(), 128, 1);
}

TEST_F (SpecialLabelTest, wheelTurnsAreKeptAndAnnouncedUnlessTheLabelIsBeingEdited)
{
    wt::ActionRecorder actions (label);

    label.mouseWheelMove (wt::mouseEvent (label, { 50.0f, 12.0f }), wt::wheelDetails (-0.25f, true));
    testing_helpers::deliverMessages();
    EXPECT_EQ (actions.messages, juce::StringArray (SpecialLabel::wheelMessage));
    EXPECT_FLOAT_EQ (label.getMouseWheel().deltaY, -0.25f);
    EXPECT_TRUE (label.getMouseWheel().isReversed);

    openEditor();
    label.mouseWheelMove (wt::mouseEvent (label, { 50.0f, 12.0f }), wt::wheelDetails (0.5f));
    testing_helpers::deliverMessages();
    EXPECT_EQ (actions.messages.size(), 1);
    EXPECT_FLOAT_EQ (label.getMouseWheel().deltaY, 0.5f);
    EXPECT_FALSE (label.getMouseWheel().isReversed);
}

TEST_F (SpecialLabelTest, aFreeTextFieldIsFramedInDarkGrey)
{
    auto image = wt::snapshot (label);
    EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (199, 12).getAlpha(), 0);

    label.setIsATextEditor (true);
    image = wt::snapshot (label);

    for (const auto& point : { juce::Point<int> (0, 0), { 100, 0 }, { 199, 12 }, { 100, 23 }, { 0, 12 } })
        EXPECT_EQ (image.getPixelAt (point.x, point.y), juce::Colours::darkgrey) << point.toString();

    // The text is still drawn inside the frame.
    EXPECT_GT (wt::countPixels (image, { 2, 2, 196, 20 }, wt::isPainted), 20);
}

//==============================================================================
// The field is drawn on the editor's black page: what is typed must show in light glyphs there.
namespace
{
bool isLight (juce::Colour colour)
{
    return colour.getAlpha() > 200 && colour.getBrightness() > 0.8f && colour.getSaturation() < 0.2f;
}

// The selection is drawn at half strength while the field has no keyboard focus, as off the desktop.
bool isOrange (juce::Colour colour)
{
    return colour.getAlpha() > 60 &&
           wt::isNear (colour.withAlpha ((juce::uint8) 255), juce::Colours::orange, 12);
}
} // namespace

TEST_F (SpecialLabelTest, typedTextShowsInTheLooksColoursWhateverTheLabelsOwn)
{
    // The toolkit gives every label a black text colour for its editor; the field must not take it.
    label.setColour (juce::Label::textColourId, juce::Colours::yellow);
    auto& editor = openEditor();
    editor.setText ({}, false);
    editor.insertTextAtCaret ("WWWW MMMM");

    const auto image = wt::snapshot (label);
    EXPECT_GT (wt::countPixels (image, label.getLocalBounds(), isLight), 40);
    EXPECT_EQ (wt::countPixels (image, label.getLocalBounds(),
                                [] (juce::Colour c)
                                { return c.getAlpha() > 200 && c.getBrightness() < 0.2f; }),
               0);
    EXPECT_EQ (editor.findColour (juce::TextEditor::textColourId), juce::Colours::white);
}

TEST_F (SpecialLabelTest, theSelectionIsOrangeWithWhiteText)
{
    // The editor opens with the whole text selected.
    openEditor();

    const auto image = wt::snapshot (label);
    EXPECT_GT (wt::countPixels (image, label.getLocalBounds(), isOrange), 100);
    EXPECT_GT (wt::countPixels (image, label.getLocalBounds(), isLight), 20);
}

TEST_F (SpecialLabelTest, commitEditTakesTheTypedTextAsReturnDoes)
{
    label.commitEdit();
    EXPECT_EQ (changes.count, 0);

    auto& editor = openEditor();
    editor.setText ("  Taken  by a command ", false);
    label.commitEdit();
    testing_helpers::deliverMessages();

    EXPECT_FALSE (label.isBeingEdited());
    EXPECT_EQ (label.getText(), "Taken by a command");
    EXPECT_EQ (changes.count, 1);

    // An edit Return would abandon is abandoned too.
    openEditor().setText ("   ", false);
    label.commitEdit();
    testing_helpers::deliverMessages();
    EXPECT_EQ (label.getText(), "Taken by a command");
    EXPECT_EQ (changes.count, 1);
}

// On a busy machine the input behind Return or Escape is already queued when the key is handled: the field
// must be closed by then, not by a message that comes after that input.
TEST_F (SpecialLabelTest, returnAndEscapeCloseTheFieldBeforeTheInputThatFollows)
{
    openEditor().setText ("Taken at once", false);
    label.getCurrentTextEditor()->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    EXPECT_FALSE (label.isBeingEdited());
    EXPECT_EQ (label.getText(), "Taken at once");

    openEditor().setText ("Dropped at once", false);
    label.getCurrentTextEditor()->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_FALSE (label.isBeingEdited());

    // A command right after Escape finds nothing being typed, and a click opens a fresh field.
    label.commitEdit();
    EXPECT_EQ (openEditor().getText(), "Taken at once");

    testing_helpers::deliverMessages();
    EXPECT_TRUE (label.isBeingEdited()) << "a message left behind by the keys closed the new field";
    EXPECT_EQ (label.getText(), "Taken at once");
    EXPECT_EQ (changes.count, 1);
}

TEST_F (SpecialLabelTest, aRefusedKeystrokeLeavesTheSelectedTextInPlace)
{
    auto& editor = openEditor();
    juce::Array<juce::juce_wchar> told;
    label.onRefusedCharacter = [&told] (juce::juce_wchar refused) { told.add (refused); };
    ASSERT_EQ (editor.getHighlightedText(), "Old text") << "the field opens with its text selected";

    editor.insertTextAtCaret (";");
    EXPECT_EQ (editor.getText(), "Old text");
    EXPECT_EQ (editor.getHighlightedText(), "Old text");
    EXPECT_EQ (told, juce::Array<juce::juce_wchar> (';'));

    // A keystroke the set takes replaces the selection as usual.
    editor.insertTextAtCaret ("N");
    EXPECT_EQ (editor.getText(), "N");
}
