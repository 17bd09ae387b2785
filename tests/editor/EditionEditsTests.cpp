#include "FaultInjection.h"
#include "TestHelpers.h"

#include "editor/EditionComponent.h"
#include "editor/EditorTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;
using editor_testing::EditorTest;
using editor_testing::setFileText;
using testing_helpers::deliverMessages;
using testing_helpers::utf8;

using editor_testing::advicesOf;
using editor_testing::modifiedQuestion;
using editor_testing::readBack;

//==============================================================================
TEST_F (EditorTest, eachAcceptedEditIsStoredAndMarksTheSetModified)
{
    openSetWith ({ "Alpha", "Bravo" });

    edit ("name-label", "New name");
    EXPECT_EQ (set().getName(), "New name");
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - opened.mwh*");

    click ("save-button");
    edit ("author-label", "New author");
    EXPECT_EQ (set().getAuthor(), "New author");
    EXPECT_FALSE (editor.isCurrentSetSaved());

    click ("save-button");
    wheel().setValue (1);
    edit ("advice-label", "Bravo, edited");
    EXPECT_EQ (advicesOf (set()), juce::StringArray ("Alpha", "Bravo, edited"));
    EXPECT_EQ (child<juce::Label> ("tags-advice-label").getText(), "Bravo, edited");
    EXPECT_FALSE (editor.isCurrentSetSaved());

    click ("save-button");
    click ("description-button");
    edit ("description-label", "Now described");
    EXPECT_EQ (set().getDescription(), "Now described");
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (button ("description-button").getSpecialState(), SpecialButton::activeState);
}

TEST_F (EditorTest, anEditTheLabelRefusesIsNoChange)
{
    openSetWith ({ "Alpha" });

    edit ("name-label", "  Opened   set ");

    EXPECT_TRUE (editor.isCurrentSetSaved());
}

TEST_F (EditorTest, pickingAColourRedrawsTheFrameAndMarksTheSetEvenForTheSameColour)
{
    openSetWith ({ "Alpha" });
    auto& selector = child<SpecialColourSelector> ("colour-selector");
    click ("colour-button");

    // Square 3 (orange) of the 22-pixel cells that start 62 pixels from the left and 1 from the top.
    wt::click (selector, { 62.0f + 3.0f * 22.0f + 11.0f, 12.0f });
    deliverMessages();

    EXPECT_EQ (set().getColourSet(), juce::Colours::orange);
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_TRUE (wt::isNear (wt::snapshot (editor).getPixelAt (250, 75), juce::Colours::orange));

    click ("save-button");
    wt::click (selector, { 62.0f + 3.0f * 22.0f + 11.0f, 12.0f });
    deliverMessages();
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (set().getColourSet(), juce::Colours::orange);

    click ("colour-button");
    click ("tags-button");
    EXPECT_TRUE (wt::isNear (wt::snapshot (tagManager()).getPixelAt (300, 80), juce::Colours::orange));
}

TEST_F (EditorTest, eachPressInTheTagStripIsStoredIntoTheCurrentAdvice)
{
    openSetWith ({ "Alpha", "Bravo" });
    click ("save-button");
    wheel().setValue (1);
    click ("tags-button");

    // Cells of the first category: hash 2 is added, then hash 1 removed (hash 2 keeps the level chosen).
    const auto cellWidth = 280.0f / 3.0f;
    wt::click (tagManager(), { 30.0f + cellWidth * 2.5f, 80.0f });
    deliverMessages();

    EXPECT_EQ (set().getHashTags (1), "1,2,100,");
    EXPECT_EQ (set().getHashTags (0), "1,100,");
    EXPECT_FALSE (editor.isCurrentSetSaved());

    click ("save-button");
    wt::click (tagManager(), { 30.0f + cellWidth * 1.5f, 80.0f });
    deliverMessages();
    EXPECT_EQ (set().getHashTags (1), "2,100,");
    EXPECT_FALSE (editor.isCurrentSetSaved());
}

TEST_F (EditorTest, theWheelShowsTheAdviceItSelects)
{
    openSetWith ({ "Alpha", "Bravo", "Charlie" });

    wheel().mouseWheelMove (wt::wheelDetails (1.0f));
    deliverMessages();
    EXPECT_EQ (wheel().getValue(), 1);
    EXPECT_EQ (label ("advice-label").getText(), "Bravo");

    juce::Component& wheelComponent = wheel();
    wheelComponent.mouseDown (wt::mouseEvent (wheel(), { 35.0f, 10.0f }, { 35.0f, 10.0f }, 2));
    deliverMessages();
    EXPECT_EQ (wheel().getValue(), 0);
    EXPECT_EQ (label ("advice-label").getText(), "Alpha");
    EXPECT_TRUE (editor.isCurrentSetSaved());
}

TEST_F (EditorTest, wheelTurnsOverTheAdviceTextOrTheTagPickerStepThroughTheAdvices)
{
    auto text = setFileText ("Tagged", 1, { "Alpha" });
    text << "Item=Bravo;\r\nFavorite=false;\r\nTags=2,300,;\r\n\r\n";
    openFile (writeSet ("tagged.mwh", text));

    juce::Component& adviceLabel = label ("advice-label");
    adviceLabel.mouseWheelMove (wt::mouseEvent (label ("advice-label"), { 10.0f, 10.0f }),
                                wt::wheelDetails (1.0f));
    deliverMessages();
    EXPECT_EQ (wheel().getValue(), 1);
    EXPECT_EQ (label ("advice-label").getText(), "Bravo");

    click ("tags-button");
    ASSERT_EQ (tagManager().getHashTags(), "2,300,");

    juce::Component& picker = tagManager();
    picker.mouseWheelMove (wt::mouseEvent (tagManager(), { 100.0f, 80.0f }), wt::wheelDetails (-1.0f));
    deliverMessages();
    EXPECT_EQ (wheel().getValue(), 0);
    EXPECT_EQ (tagManager().getHashTags(), "1,100,");
    EXPECT_EQ (child<juce::Label> ("tags-advice-label").getText(), "Alpha");
    EXPECT_TRUE (editor.isCurrentSetSaved());

    // Other action messages are not the editor's business.
    editor.actionListenerCallback ("Something else");
    EXPECT_EQ (wheel().getValue(), 0);
}

TEST_F (EditorTest, anEditAcceptedJustBeforeACommandBelongsToTheSetItWasMadeIn)
{
    openSetWith ({ "Alpha" });

    // The change message of the edit is still on its way when the user presses Back.
    label ("name-label").setText ("Renamed", juce::dontSendNotification);
    label ("name-label").sendChangeMessage();
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::cancel);
    editor.buttonClicked (&button ("back-button"));

    EXPECT_EQ (dialogs->last().kind, "yes-no-cancel");
    ASSERT_TRUE (editor.isASetOpen());
    EXPECT_EQ (set().getName(), "Renamed");
}

TEST_F (EditorTest, aChangeMessageArrivingAfterTheSetWasClosedIsIgnored)
{
    openSetWith ({ "Alpha" });
    click ("close-button");

    label ("name-label").sendChangeMessage();
    label ("advice-label").sendChangeMessage();
    child<SpecialColourSelector> ("colour-selector").sendChangeMessage();
    tagManager().sendChangeMessage();
    wheel().sendChangeMessage();
    deliverMessages();

    EXPECT_FALSE (editor.isASetOpen());
    EXPECT_FALSE (isShown ("name-label"));
}

//==============================================================================
TEST_F (EditorTest, shortcutsNeedControlAndTheirButtonOnScreen)
{
    const juce::KeyPress controlS ('s', juce::ModifierKeys::ctrlModifier, 0);
    const juce::KeyPress controlW ('W', juce::ModifierKeys::ctrlModifier, 0);
    const juce::KeyPress controlPlus ('+', juce::ModifierKeys::ctrlModifier, '+');
    const juce::KeyPress controlShiftPlus (
        '+', juce::ModifierKeys (juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::shiftModifier), '+');

    // No set: Save, Close and Add are hidden.
    EXPECT_FALSE (editor.keyPressed (controlS));
    EXPECT_FALSE (editor.keyPressed (controlW));
    EXPECT_FALSE (editor.keyPressed (controlPlus));
    EXPECT_TRUE (dialogs->asked.empty());

    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('N', juce::ModifierKeys::ctrlModifier, 0)));
    ASSERT_TRUE (editor.isASetOpen());

    EXPECT_TRUE (editor.keyPressed (controlPlus));
    EXPECT_TRUE (editor.keyPressed (controlShiftPlus));
    EXPECT_TRUE (editor.keyPressed (
        juce::KeyPress (juce::KeyPress::numberPadAdd, juce::ModifierKeys::ctrlModifier, '+')));
    EXPECT_EQ (set().getNumConseils(), 4);

    // Without Control, with another modifier, or another key: not used.
    EXPECT_FALSE (editor.keyPressed (juce::KeyPress ('s', 0, 's')));
    EXPECT_FALSE (editor.keyPressed (juce::KeyPress ('+', 0, '+')));
    EXPECT_FALSE (editor.keyPressed (juce::KeyPress ('s', juce::ModifierKeys::altModifier, 0)));
    EXPECT_FALSE (editor.keyPressed (juce::KeyPress (
        's', juce::ModifierKeys (juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier), 0)));
    EXPECT_FALSE (editor.keyPressed (juce::KeyPress ('x', juce::ModifierKeys::ctrlModifier, 0)));
    EXPECT_TRUE (dialogs->asked.empty());

    // On the description page Add is hidden; Open and New still work there.
    click ("description-button");
    EXPECT_FALSE (editor.keyPressed (controlPlus));
    EXPECT_EQ (set().getNumConseils(), 4);

    dialogs->saveAnswers.push_back (folder.child ("keys.mwh"));
    EXPECT_TRUE (editor.keyPressed (controlS));
    EXPECT_TRUE (editor.isCurrentSetSaved());

    dialogs->openAnswers.push_back (juce::File());
    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('o', juce::ModifierKeys::ctrlModifier, 0)));
    EXPECT_EQ (dialogs->last().kind, "open");

    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('n', juce::ModifierKeys::ctrlModifier, 0)));
    EXPECT_EQ (set().getNumConseils(), 1);
    EXPECT_EQ (editor.getMode(), 0);

    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::no);
    EXPECT_TRUE (editor.keyPressed (controlW, &wheel()));
    EXPECT_FALSE (editor.isASetOpen());
    EXPECT_TRUE (dialogs->allAnswersUsed());
}
