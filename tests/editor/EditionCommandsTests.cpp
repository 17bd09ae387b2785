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
TEST_F (EditorTest, aNewSetHasItsDefaultsAndOneEmptyAdvice)
{
    click ("new-set-button");

    ASSERT_TRUE (editor.isASetOpen());
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (set().getName(), "No name");
    EXPECT_EQ (set().getAuthor(),
               "Unknown author (" + juce::String (juce::Time::getCurrentTime().getYear()) + ")");
    EXPECT_EQ (set().getColourSet(), juce::Colours::orange);
    EXPECT_EQ (set().getLanguage(), 1);
    EXPECT_EQ (set().getDescription(), juce::String());
    EXPECT_EQ (set().getFileSet(), juce::File());
    ASSERT_EQ (set().getNumConseils(), 1);
    EXPECT_EQ (set().getDescriptionItem (0), "Empty advice");
    EXPECT_EQ (set().getHashTags (0), "1,");
    EXPECT_FALSE (set().getFavoriteItem (0));

    EXPECT_EQ (wheel().getValue(), 0);
    EXPECT_EQ (wheel().getMaximum(), 1);
    EXPECT_EQ (label ("advice-label").getText(), "Empty advice");
    EXPECT_EQ (label ("name-label").getText(), "No name");
    EXPECT_EQ (child<SpecialColourSelector> ("colour-selector").getColour(), juce::Colours::orange);
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler*");
    EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::highlightedState);
    EXPECT_TRUE (dialogs->asked.empty());
}

TEST_F (EditorTest, aNewSetInTheFrenchInterfaceIsAFrenchSet)
{
    editor.setLanguage (0);
    click ("new-set-button");

    EXPECT_EQ (set().getName(), "Pas de nom");
    EXPECT_EQ (set().getAuthor(),
               "Auteur inconnu (" + juce::String (juce::Time::getCurrentTime().getYear()) + ")");
    EXPECT_EQ (set().getLanguage(), 0);
    EXPECT_EQ (set().getDescriptionItem (0), "Conseil vide");
    EXPECT_EQ (button ("language-button").getButtonText(), utf8 ("Français"));
}

TEST_F (EditorTest, aNewSetForgetsTheDescriptionAndColourOfTheSetBefore)
{
    openSetWith ({ "One" });
    ASSERT_EQ (label ("description-label").getText(), "A description");

    click ("new-set-button");

    EXPECT_EQ (label ("description-label").getText(), juce::String());
    EXPECT_EQ (child<SpecialColourSelector> ("colour-selector").getColour(), juce::Colours::orange);
}

//==============================================================================
TEST_F (EditorTest, anAddedAdviceTakesTheSetsLanguageNotTheInterfaces)
{
    openSetWith ({ "Premier conseil" }, 0);
    ASSERT_EQ (editor.getCurrentLanguage(), 1);

    click ("add-advice-button");

    ASSERT_EQ (set().getNumConseils(), 2);
    EXPECT_EQ (set().getDescriptionItem (1), "Conseil vide");
    EXPECT_EQ (set().getHashTags (1), "1,");
    EXPECT_EQ (wheel().getValue(), 1);
    EXPECT_EQ (wheel().getMaximum(), 2);
    EXPECT_EQ (label ("advice-label").getText(), "Conseil vide");
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - opened.mwh*");
}

TEST_F (EditorTest, duplicatingCopiesTextAndTagsButNotTheFavouriteMark)
{
    const auto file = folder.child ("small.mwh");
    ASSERT_TRUE (testing_helpers::fixturesDirectory().getChildFile ("sets/small-utf8.mwh").copyFileTo (file));
    openFile (file);
    ASSERT_EQ (set().getNumConseils(), 2);
    ASSERT_TRUE (set().getFavoriteItem (0));

    click ("duplicate-advice-button");

    ASSERT_EQ (set().getNumConseils(), 3);
    EXPECT_EQ (set().getDescriptionItem (2), set().getDescriptionItem (0));
    EXPECT_EQ (set().getHashTags (2), set().getHashTags (0));
    EXPECT_FALSE (set().getFavoriteItem (2));
    EXPECT_TRUE (set().getFavoriteItem (0));
    EXPECT_EQ (wheel().getValue(), 2);
    EXPECT_EQ (wheel().getMaximum(), 3);
    EXPECT_FALSE (editor.isCurrentSetSaved());
}

TEST_F (EditorTest, deletingAsksWithTheAdviceInQuotesAndCancelKeepsIt)
{
    openSetWith ({ "Alpha", "Beta" });
    dialogs->okCancelAnswers.push_back (false);

    click ("delete-advice-button");

    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("open", "ok-cancel"));
    EXPECT_EQ (dialogs->last().title, "Musewheeler");
    EXPECT_EQ (dialogs->last().message, "Do you want to delete the advice \"Alpha\" ?");
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("Yes", "Cancel"));
    EXPECT_EQ (set().getNumConseils(), 2);
    EXPECT_TRUE (editor.isCurrentSetSaved());
}

TEST_F (EditorTest, deletingInFrenchAsksWithTwoSpacesBeforeTheQuote)
{
    editor.setLanguage (0);
    openSetWith ({ "Alpha", "Beta" });
    dialogs->okCancelAnswers.push_back (false);

    click ("delete-advice-button");

    EXPECT_EQ (dialogs->last().message, utf8 ("Êtes-vous sûrs de vouloir supprimer le conseil  \"Alpha\" ?"));
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("Oui", "Annuler"));
}

TEST_F (EditorTest, deletingMakesThePreviousAdviceCurrentOrTheNextOneAfterTheFirst)
{
    openSetWith ({ "Alpha", "Beta", "Gamma" });

    // The first of three: the former second becomes current.
    dialogs->okCancelAnswers.push_back (true);
    click ("delete-advice-button");
    EXPECT_EQ (advicesOf (set()), juce::StringArray ("Beta", "Gamma"));
    EXPECT_EQ (wheel().getValue(), 0);
    EXPECT_EQ (wheel().getMaximum(), 2);
    EXPECT_EQ (label ("advice-label").getText(), "Beta");
    EXPECT_FALSE (editor.isCurrentSetSaved());

    // Down to one advice, which can no longer be deleted.
    click ("add-advice-button");
    ASSERT_EQ (wheel().getValue(), 2);
    dialogs->okCancelAnswers.push_back (true);
    click ("delete-advice-button");
    EXPECT_EQ (advicesOf (set()), juce::StringArray ("Beta", "Gamma"));
    EXPECT_EQ (wheel().getValue(), 1);
    EXPECT_EQ (label ("advice-label").getText(), "Gamma");

    dialogs->okCancelAnswers.push_back (true);
    click ("delete-advice-button");
    EXPECT_EQ (advicesOf (set()), juce::StringArray ("Beta"));
    EXPECT_EQ (wheel().getValue(), 0);
    EXPECT_FALSE (isShown ("delete-advice-button"));
    EXPECT_TRUE (isShown ("duplicate-advice-button"));
}

//==============================================================================
TEST_F (EditorTest, saveOnASetWithoutAFileAsksWhereAndWritesItThere)
{
    newSetWith (2);
    const auto target = folder.child ("Fresh.mwh");
    dialogs->saveAnswers.push_back (target);

    click ("save-button");

    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("save"));
    EXPECT_EQ (dialogs->last().title, "Choose the place to save your set");
    EXPECT_EQ (dialogs->last().initialLocation, LibSetsConseils::getDirectoryDataLib());
    EXPECT_EQ (dialogs->last().filePatterns, "*.mwh");
    EXPECT_TRUE (dialogs->last().warnAboutOverwriting);
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (set().getFileSet(), target);

    const auto written = readBack (tags, target);
    EXPECT_EQ (written.getName(), "No name");
    EXPECT_EQ (advicesOf (written), juce::StringArray ("Empty advice", "Empty advice"));

    // Once it has a file, Save writes there without asking.
    edit ("name-label", "Named at last");
    click ("save-button");
    EXPECT_EQ (dialogs->asked.size(), 1u);
    EXPECT_EQ (readBack (tags, target).getName(), "Named at last");
    EXPECT_TRUE (editor.isCurrentSetSaved());
}

TEST_F (EditorTest, saveAsGivesTheFileTheSetExtensionInPlaceOfATypedOne)
{
    newSetWith (1);
    editor.setLanguage (0);

    dialogs->saveAnswers.push_back (folder.child ("Typed.txt"));
    click ("save-as-button");

    EXPECT_EQ (dialogs->last().title, utf8 ("Choisissez l'emplacement du set à sauvegarder"));
    EXPECT_EQ (set().getFileSet(), folder.child ("Typed.mwh"));
    EXPECT_TRUE (folder.child ("Typed.mwh").existsAsFile());
    EXPECT_FALSE (folder.child ("Typed.txt").exists());

    dialogs->saveAnswers.push_back (folder.child ("Bare"));
    click ("save-as-button");
    EXPECT_EQ (set().getFileSet(), folder.child ("Bare.mwh"));
    EXPECT_TRUE (folder.child ("Bare.mwh").existsAsFile());
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - Bare.mwh");
}

TEST_F (EditorTest, saveAsAsksBeforeReplacingAnotherFileThatTheExtensionNames)
{
    const auto existing = writeSet ("Studio.mwh", setFileText ("Someone else's set", 1, { "Keep me" }));
    newSetWith (1);

    // The chooser only warned about "Studio", which does not exist.
    dialogs->saveAnswers.push_back (folder.child ("Studio"));
    dialogs->okCancelAnswers.push_back (false);
    click ("save-as-button");

    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("save", "ok-cancel"));
    EXPECT_EQ (dialogs->last().message,
               "The file \"Studio.mwh\" already exists. Do you want to replace it ?");
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("Yes", "Cancel"));
    EXPECT_EQ (readBack (tags, existing).getName(), "Someone else's set");
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (set().getFileSet(), juce::File());
    EXPECT_EQ (editor.getSavedAnswer(), EditionComponent::answerCancel);

    dialogs->saveAnswers.push_back (folder.child ("Studio"));
    dialogs->okCancelAnswers.push_back (true);
    click ("save-as-button");
    EXPECT_EQ (readBack (tags, existing).getName(), "No name");
    EXPECT_TRUE (editor.isCurrentSetSaved());

    // A name typed with the extension was warned about by the chooser itself.
    edit ("name-label", "Again");
    dialogs->saveAnswers.push_back (existing);
    click ("save-as-button");
    EXPECT_EQ (dialogs->kinds().size(), 5);
    EXPECT_EQ (readBack (tags, existing).getName(), "Again");
}

TEST_F (EditorTest, aCancelledSaveAsChangesNothingButTheAnswer)
{
    openSetWith ({ "One" });
    edit ("name-label", "Changed");
    const auto before = set().getFileSet();

    dialogs->saveAnswers.push_back (juce::File());
    click ("save-as-button");

    EXPECT_EQ (set().getFileSet(), before);
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getSavedAnswer(), EditionComponent::answerCancel);
    EXPECT_EQ (readBack (tags, before).getName(), "Opened set");
}

//==============================================================================
TEST_F (EditorTest, openReadsTheChosenSetAndShowsItsFirstAdvice)
{
    const auto file =
        writeSet ("Chosen.mwh", setFileText ("Chosen", 0, { "Bravo", "Alpha" }, "About it", "1,2,"));
    dialogs->openAnswers.push_back (file);

    click ("open-set-button");

    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("open"));
    EXPECT_EQ (dialogs->last().title, "Choose the set to open");
    EXPECT_EQ (dialogs->last().initialLocation, LibSetsConseils::getDirectoryDataLib());
    EXPECT_EQ (dialogs->last().filePatterns, "*.mwh");
    ASSERT_TRUE (editor.isASetOpen());
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (set().getFileSet(), file);
    EXPECT_EQ (advicesOf (set()), juce::StringArray ("Alpha", "Bravo"));
    EXPECT_EQ (set().getColourSet(), juce::Colour (32, 0, 255));
    EXPECT_EQ (child<SpecialColourSelector> ("colour-selector").getColour(), juce::Colour (32, 0, 255));
    EXPECT_EQ (wheel().getValue(), 0);
    EXPECT_EQ (wheel().getMaximum(), 2);
    EXPECT_EQ (label ("advice-label").getText(), "Alpha");
    EXPECT_EQ (label ("description-label").getText(), "About it");
    EXPECT_EQ (button ("language-button").getValue(), 0);
    EXPECT_EQ (editor.getMode(), 0);
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - Chosen.mwh");
    EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::normalState);
}

TEST_F (EditorTest, openInFrenchAsksInFrench)
{
    editor.setLanguage (0);
    dialogs->openAnswers.push_back (juce::File());

    click ("open-set-button");

    EXPECT_EQ (dialogs->last().title, utf8 ("Choisissez un set à ouvrir"));
}

TEST_F (EditorTest, openReadsALegacyFileWithTheLegacyReader)
{
    const auto file = folder.child ("old.mwh");
    ASSERT_TRUE (
        testing_helpers::fixturesDirectory().getChildFile ("legacy/legacy-sample.mwh").copyFileTo (file));

    openFile (file);

    ASSERT_TRUE (editor.isASetOpen());
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (set().getName(), utf8 ("Conseils d'été"));
    EXPECT_EQ (set().getLanguage(), 0);
    EXPECT_EQ (set().getColourSet(), juce::Colours::orange);
    EXPECT_EQ (set().getNumConseils(), 8);
    EXPECT_EQ (wheel().getMaximum(), 8);
    EXPECT_EQ (label ("advice-label").getText(), set().getDescriptionItem (0));
    EXPECT_EQ (child<SpecialColourSelector> ("colour-selector").getColour(), juce::Colours::orange);

    // Saving writes it in the current format.
    click ("save-button");
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (file), 2);
    EXPECT_EQ (readBack (tags, file).getNumConseils(), 8);
}

TEST_F (EditorTest, aFileWithAnotherExtensionIsReadAsALegacyFile)
{
    const auto file = writeSet ("notes.txt", "Nom=Vieux set;Texte=Un conseil;Attributs=ABST,;Favori=0;");

    openFile (file);

    ASSERT_TRUE (editor.isASetOpen());
    EXPECT_EQ (set().getName(), "Vieux set");
    EXPECT_EQ (advicesOf (set()), juce::StringArray ("Un conseil"));
}

TEST_F (EditorTest, openingASetWithoutAdviceOffersOnlyTheAddButton)
{
    openSetWith ({});

    EXPECT_TRUE (isShown ("add-advice-button"));
    EXPECT_FALSE (isShown ("duplicate-advice-button"));
    EXPECT_FALSE (isShown ("delete-advice-button"));
    EXPECT_FALSE (isShown ("tags-button"));
    EXPECT_EQ (button ("add-advice-button").getSpecialState(), SpecialButton::highlightedState);
    EXPECT_EQ (wheel().getValue(), -1);
    EXPECT_EQ (label ("advice-label").getText(), "No advice has been found");

    click ("add-advice-button");
    EXPECT_EQ (wheel().getValue(), 0);
    EXPECT_EQ (label ("advice-label").getText(), "Empty advice");
    EXPECT_TRUE (label ("advice-label").isEnabled());
}

TEST_F (EditorTest, aCancelledOrMissingChoiceLeavesTheOpenSetWithItsChanges)
{
    openSetWith ({ "One" });
    edit ("name-label", "Changed");

    dialogs->yesNoCancelAnswers = { EditorDialogs::YesNoCancel::no, EditorDialogs::YesNoCancel::no };
    dialogs->openAnswers = { juce::File(), folder.child ("missing.mwh") };
    click ("open-set-button");
    click ("open-set-button");

    EXPECT_TRUE (dialogs->allAnswersUsed());
    EXPECT_TRUE (editor.isASetOpen());
    EXPECT_EQ (set().getName(), "Changed");
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - opened.mwh*");
}

TEST_F (EditorTest, openingLeavesTheActivePage)
{
    openSetWith ({ "One" });
    click ("description-button");
    ASSERT_EQ (editor.getMode(), 1);

    openFile (writeSet ("other.mwh", setFileText ("Other", 1, { "Two" })));

    EXPECT_EQ (editor.getMode(), 0);
    EXPECT_EQ (button ("description-button").getSpecialState(), SpecialButton::normalState);
    EXPECT_EQ (button ("description-button").getButtonText(), "Description");
    EXPECT_EQ (set().getName(), "Other");
}

//==============================================================================
TEST_F (EditorTest, closeEmptiesTheEditorAndBackLeavesIt)
{
    openSetWith ({ "One" });
    click ("colour-button");
    click ("close-button");

    EXPECT_FALSE (editor.isASetOpen());
    EXPECT_EQ (editor.getCurrentSet(), nullptr);
    EXPECT_EQ (editor.getMode(), 0);
    EXPECT_EQ (button ("colour-button").getSpecialState(), SpecialButton::normalState);
    EXPECT_TRUE (isShown ("new-set-button"));
    EXPECT_FALSE (isShown ("save-button"));

    wt::ActionRecorder messages (editor);
    openSetWith ({ "One" });
    click ("back-button");

    EXPECT_EQ (messages.messages, juce::StringArray (EditionComponent::exitMessage));
    EXPECT_FALSE (editor.isASetOpen());
    EXPECT_EQ (editor.getCurrentSet(), nullptr);
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler");
    EXPECT_TRUE (dialogs->asked.size() == 2u); // the two open choosers, no question
}

TEST_F (EditorTest, theLanguageButtonSwitchesTheSetsLanguage)
{
    openSetWith ({ "One" }, 1);
    ASSERT_EQ (button ("language-button").getButtonText(), "English");

    click ("language-button");

    EXPECT_EQ (set().getLanguage(), 0);
    EXPECT_EQ (button ("language-button").getValue(), 0);
    EXPECT_EQ (button ("language-button").getButtonText(), "French");
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - opened.mwh*");

    click ("language-button");
    EXPECT_EQ (set().getLanguage(), 1);
}

TEST_F (EditorTest, theTagsPageGivesThePickerTheCurrentAdviceTheSetColourAndTheFirstCategory)
{
    openSetWith ({ "One", "Two" });
    edit ("advice-label", "One, edited");
    tagManager().setButtonClicked (3);
    tagManager().setHashTags ("");

    click ("tags-button");

    EXPECT_EQ (tagManager().getHashTags(), "1,100,");
    EXPECT_EQ (tagManager().getClickedCategory(), 0);
    EXPECT_EQ (child<juce::Label> ("tags-advice-label").getText(), "One, edited");

    // The cells are drawn in the set's colour.
    const auto image = wt::snapshot (tagManager());
    EXPECT_TRUE (wt::isNear (image.getPixelAt (300, 80), juce::Colour (32, 0, 255)));
}

TEST_F (EditorTest, returnOpensTheShownAdviceForTypingAsAClickOnItDoes)
{
    const juce::KeyPress returnKey (juce::KeyPress::returnKey);
    EXPECT_FALSE (editor.keyPressed (returnKey)) << "no set, nothing to type into";

    click ("new-set-button");
    ASSERT_TRUE (editor.keyPressed (returnKey));
    auto& advice = label ("advice-label");
    ASSERT_TRUE (advice.isBeingEdited());

    auto* field = advice.getCurrentTextEditor();
    ASSERT_NE (field, nullptr);
    field->setText ("Typed after Return", juce::dontSendNotification);
    advice.commitEdit();
    testing_helpers::deliverMessages();
    EXPECT_EQ (set().getDescriptionItem (0), "Typed after Return");

    // On another page the advice is not shown, and Return is left alone.
    click ("description-button");
    EXPECT_FALSE (editor.keyPressed (returnKey));
    EXPECT_FALSE (advice.isBeingEdited());
    EXPECT_FALSE (
        editor.keyPressed (juce::KeyPress (juce::KeyPress::returnKey, juce::ModifierKeys::ctrlModifier, 0)));
}

TEST_F (EditorTest, theNoteTellsAnAdviceTooLongForTheMainScreenWhileItIsTypedAndOnceTaken)
{
    click ("new-set-button");
    auto& note = child<EditorNote> ("editor-note");
    EXPECT_FALSE (note.isVisible());

    auto& advice = label ("advice-label");
    advice.showEditor();
    auto* field = advice.getCurrentTextEditor();
    ASSERT_NE (field, nullptr);

    const juce::String tooLong (
        "one two three four five six seven eight nine ten eleven twelve thirteen fourteen "
        "fifteen sixteen seventeen eighteen nineteen twenty twenty-one twenty-two "
        "twenty-three");
    field->setText ({}, false);
    field->insertTextAtCaret (tooLong);
    testing_helpers::deliverMessages();
    EXPECT_TRUE (note.isVisible()) << "while it is typed";
    EXPECT_EQ (note.getText(), "Too long for the main screen: shown smaller there, or cut.");

    advice.commitEdit();
    testing_helpers::deliverMessages();
    EXPECT_EQ (set().getDescriptionItem (0), tooLong);
    EXPECT_TRUE (note.isVisible()) << "once taken";

    // Another advice that fits: no note; back to the long one: the note again; another page: none.
    click ("add-advice-button");
    EXPECT_FALSE (note.isVisible());
    wheel().setValue (0);
    editor.changeListenerCallback (&wheel());
    EXPECT_TRUE (note.isVisible());
    click ("description-button");
    EXPECT_FALSE (note.isVisible());

    // In French.
    click ("description-button");
    editor.setLanguage (0);
    ASSERT_EQ (label ("advice-label").getText(), tooLong);
    EXPECT_TRUE (note.isVisible());
    EXPECT_EQ (note.getText(),
               testing_helpers::utf8 ("Trop long pour l'écran principal : affiché plus petit, ou coupé."));
}

TEST_F (EditorTest, theNoteSaysWhyATypedSemicolonIsLeftOutForAFewSeconds)
{
    click ("new-set-button");
    auto& note = child<EditorNote> ("editor-note");

    for (const auto* id : { "advice-label", "name-label", "author-label" })
    {
        auto& field = label (id);
        field.showEditor();
        ASSERT_NE (field.getCurrentTextEditor(), nullptr) << id;
        field.getCurrentTextEditor()->insertTextAtCaret (";");
        EXPECT_TRUE (note.isVisible()) << id;
        EXPECT_EQ (note.getText(), "\";\" cannot be typed: it ends a value in the set file.") << id;
        field.hideEditor (true);
    }

    label ("advice-label").showEditor();
    label ("advice-label").getCurrentTextEditor()->insertTextAtCaret ("@");
    EXPECT_EQ (note.getText(), "\"@\" cannot be typed in a set.");

    juce::MessageManager::getInstance()->runDispatchLoopUntil (EditorNote::refusedNoteMilliseconds + 500);
    EXPECT_FALSE (note.isVisible()) << "the note goes by itself";
}
