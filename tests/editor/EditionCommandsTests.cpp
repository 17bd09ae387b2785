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

namespace
{
const juce::String modifiedQuestion ("The set has been modified. Would you like to save it now ?");

SetConseils readBack (DataTags& tags, const juce::File& file)
{
    SetConseils set (&tags);
    set.setFileSet (file);
    set.loadData (2);
    return set;
}

juce::StringArray advicesOf (const SetConseils& set)
{
    juce::StringArray texts;

    for (int i = 0; i < set.getNumConseils(); ++i)
        texts.add (set.getDescriptionItem (i));

    return texts;
}

} // namespace

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

//==============================================================================
namespace
{
struct GuardCase
{
    const char* command;
    bool setHasFile;
    EditionComponent::SavedAnswer answer;
    bool saveAsCancelled;
};

// The button of the unsaved-changes question that gives that answer.
EditorDialogs::YesNoCancel buttonFor (EditionComponent::SavedAnswer answer)
{
    if (answer == EditionComponent::answerSave)
        return EditorDialogs::YesNoCancel::yes;

    return answer == EditionComponent::answerIgnore ? EditorDialogs::YesNoCancel::no
                                                    : EditorDialogs::YesNoCancel::cancel;
}

juce::String describe (const GuardCase& guard)
{
    auto name = juce::String (guard.command).removeCharacters ("-") + "_";
    name << (guard.answer == EditionComponent::answerSave     ? "Yes"
             : guard.answer == EditionComponent::answerIgnore ? "Ignore"
                                                              : "Cancel");
    name << (guard.setHasFile ? "WithFile" : "WithoutFile");

    if (guard.saveAsCancelled)
        name << "SaveAsCancelled";

    return name;
}

void PrintTo (const GuardCase& guard, std::ostream* stream)
{
    *stream << describe (guard).toStdString();
}
} // namespace

// Each command that replaces or leaves the set, with each answer of the unsaved-changes question.
class EditorGuardTest
    : public EditorTest
    , public ::testing::WithParamInterface<GuardCase>
{
protected:
    // Runs the command; true when it went on to its end.
    bool runCommand (const juce::String& command, const juce::File& otherSet)
    {
        if (command == "quit")
            return editor.askAuthorizationToQuit();

        if (command == "open")
            dialogs->openAnswers.push_back (otherSet);

        wt::ActionRecorder messages (editor);
        click (command == "open" ? juce::String ("open-set-button") : command + "-button");

        if (command == "new-set")
            return editor.getCurrentSet() != nullptr && set().getName() == "No name";
        if (command == "open")
            return editor.getCurrentSet() != nullptr && set().getName() == "Other";
        if (command == "back")
            return messages.messages == juce::StringArray (EditionComponent::exitMessage) &&
                   !editor.isASetOpen();

        return !editor.isASetOpen();
    }
};

TEST_P (EditorGuardTest, theAnswerDecidesBetweenSavingDroppingAndKeepingTheChanges)
{
    const auto& guard = GetParam();
    const auto otherSet = writeSet ("other.mwh", setFileText ("Other", 1, { "Elsewhere" }));
    const auto savedAs = folder.child ("Saved as.mwh");

    if (guard.setHasFile)
        openSetWith ({ "One" });
    else
        click ("new-set-button");

    edit ("name-label", "Edited");
    ASSERT_FALSE (editor.isCurrentSetSaved());

    dialogs->yesNoCancelAnswers.push_back (buttonFor (guard.answer));

    if (guard.answer == EditionComponent::answerSave && !guard.setHasFile)
        dialogs->saveAnswers.push_back (guard.saveAsCancelled ? juce::File() : savedAs);

    const auto wentOn = runCommand (guard.command, otherSet);

    ASSERT_FALSE (dialogs->asked.empty());
    const auto& question = dialogs->asked[guard.setHasFile ? 1 : 0];
    EXPECT_EQ (question.kind, "yes-no-cancel");
    EXPECT_EQ (question.title, "Musewheeler");
    EXPECT_EQ (question.message, modifiedQuestion);
    EXPECT_EQ (question.buttons, juce::StringArray ("Yes", "Ignore", "Cancel"));
    EXPECT_TRUE (dialogs->yesNoCancelAnswers.empty());
    EXPECT_TRUE (dialogs->saveAnswers.empty());

    const auto saved = guard.answer == EditionComponent::answerSave && !guard.saveAsCancelled;
    const auto goesOn = guard.answer == EditionComponent::answerIgnore || saved;
    EXPECT_EQ (wentOn, goesOn);

    // An abandoned Open never shows its chooser.
    EXPECT_EQ (dialogs->openAnswers.empty(), goesOn || juce::String (guard.command) != "open");
    EXPECT_EQ (editor.getSavedAnswer(), saved || guard.answer != EditionComponent::answerSave
                                            ? guard.answer
                                            : EditionComponent::answerCancel);

    const auto file = guard.setHasFile ? folder.child ("opened.mwh") : savedAs;

    if (saved)
        EXPECT_EQ (readBack (tags, file).getName(), "Edited");
    else if (guard.setHasFile)
        EXPECT_EQ (readBack (tags, file).getName(), "Opened set");
    else
        EXPECT_FALSE (savedAs.exists());

    if (!goesOn)
    {
        // Nothing changed: the edited set is still open, unsaved.
        ASSERT_TRUE (editor.isASetOpen());
        EXPECT_EQ (set().getName(), "Edited");
        EXPECT_FALSE (editor.isCurrentSetSaved());
        EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::highlightedState);
    }
}

INSTANTIATE_TEST_SUITE_P (
    EveryCommandAndAnswer, EditorGuardTest,
    ::testing::ValuesIn (
        []
        {
            std::vector<GuardCase> cases;

            for (const auto* command : { "new-set", "open", "close", "back", "quit" })
            {
                cases.push_back ({ command, true, EditionComponent::answerSave, false });
                cases.push_back ({ command, false, EditionComponent::answerSave, false });
                cases.push_back ({ command, false, EditionComponent::answerSave, true });
                cases.push_back ({ command, true, EditionComponent::answerIgnore, false });
                cases.push_back ({ command, true, EditionComponent::answerCancel, false });
            }

            return cases;
        }()),
    [] (const ::testing::TestParamInfo<GuardCase>& paramInfo)
    { return describe (paramInfo.param).toStdString(); });

TEST_F (EditorTest, nothingIsAskedWithNoSetOrASetSavedSinceItsLastChange)
{
    EXPECT_EQ (editor.callMessageBoxSaved(), EditionComponent::answerIgnore);
    EXPECT_TRUE (editor.askAuthorizationToQuit());

    openSetWith ({ "One" });
    EXPECT_TRUE (editor.askAuthorizationToQuit());
    openFile (writeSet ("other.mwh", setFileText ("Other", 1, { "Two" })));
    click ("new-set-button");
    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("open", "open"));

    // A new set that was never saved always asks.
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::cancel);
    EXPECT_FALSE (editor.askAuthorizationToQuit());
    EXPECT_EQ (dialogs->last().kind, "yes-no-cancel");

    dialogs->saveAnswers.push_back (folder.child ("new.mwh"));
    click ("save-button");
    click ("close-button");
    EXPECT_EQ (dialogs->kinds().size(), 4);
    EXPECT_FALSE (editor.isASetOpen());
    EXPECT_TRUE (editor.askAuthorizationToQuit());
}

TEST_F (EditorTest, theQuestionIsAskedInFrenchInTheFrenchInterface)
{
    editor.setLanguage (0);
    click ("new-set-button");
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::cancel);

    EXPECT_EQ (editor.callMessageBoxSaved(), EditionComponent::answerCancel);

    EXPECT_EQ (dialogs->last().title, "Musewheeler");
    EXPECT_EQ (dialogs->last().message,
               utf8 ("Le set a été modifié. Voulez-vous enregistrer vos modifications ?"));
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("Oui", "Ignorer", "Annuler"));
    EXPECT_EQ (editor.getSavedAnswer(), EditionComponent::answerCancel);
}

//==============================================================================
class EditorSaveFailureTest : public EditorTest
{
protected:
    // An edited set whose file lies in a sub-folder of the temporary folder.
    juce::File openEditedSetIn (const juce::String& subFolder)
    {
        const auto place = folder.child (subFolder);
        EXPECT_TRUE (place.createDirectory());
        const auto file = place.getChildFile ("set.mwh");
        EXPECT_TRUE (file.replaceWithText (setFileText ("Kept", 1, { "One" })));
        openFile (file);
        edit ("name-label", "Edited");
        return file;
    }

    void expectTheFailureToldAndTheChangesKept (const juce::File& file)
    {
        ASSERT_FALSE (dialogs->asked.empty());
        EXPECT_EQ (dialogs->last().kind, "message");
        EXPECT_EQ (dialogs->last().title, "Musewheeler");
        EXPECT_EQ (dialogs->last().message, "The set could not be saved to " + file.getFullPathName() + ".");
        EXPECT_FALSE (editor.isCurrentSetSaved());
        EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::highlightedState);
        EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - set.mwh*");
        EXPECT_EQ (set().getName(), "Edited");
    }
};

TEST_F (EditorSaveFailureTest, aSaveIntoAVanishedFolderIsToldAndKeepsTheChanges)
{
    const auto file = openEditedSetIn ("vanishing");
    ASSERT_TRUE (file.getParentDirectory().deleteRecursively());

    click ("save-button");

    expectTheFailureToldAndTheChangesKept (file);
    EXPECT_FALSE (file.exists());
}

TEST_F (EditorSaveFailureTest, aSaveIntoAReadOnlyFolderIsToldAndLeavesTheOldFile)
{
    const auto file = openEditedSetIn ("read-only");

    {
        fault_injection::ScopedReadOnlyFolder readOnly (file.getParentDirectory());

        if (!readOnly.holds())
            GTEST_SKIP() << "the folder cannot be made read-only for this process";

        click ("save-button");
    }

    expectTheFailureToldAndTheChangesKept (file);
    EXPECT_EQ (readBack (tags, file).getName(), "Kept");
}

TEST_F (EditorSaveFailureTest, aSaveStoppedPartWayByAFullDiskLeavesTheWholeOldFile)
{
    const auto file = openEditedSetIn ("full-disk");
    juce::MemoryBlock before;
    ASSERT_TRUE (file.loadFileAsData (before));

    for (int i = 0; i < 5; ++i)
        click ("add-advice-button");

    {
        fault_injection::ScopedFileSizeLimit fullDisk (before.getSize() + 10);
        ASSERT_TRUE (fullDisk.holds());
        click ("save-button");
    }

    expectTheFailureToldAndTheChangesKept (file);
    juce::MemoryBlock after;
    ASSERT_TRUE (file.loadFileAsData (after));
    EXPECT_EQ (after, before);
    EXPECT_EQ (file.getParentDirectory().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);

    click ("save-button");
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (readBack (tags, file).getNumConseils(), 6);
}

TEST_F (EditorSaveFailureTest, theFailureIsToldInFrenchInTheFrenchInterface)
{
    editor.setLanguage (0);
    const auto file = openEditedSetIn ("vanishing");
    ASSERT_TRUE (file.getParentDirectory().deleteRecursively());

    click ("save-button");

    EXPECT_EQ (dialogs->last().message,
               utf8 ("Le set n'a pas pu être enregistré dans ") + file.getFullPathName() + ".");
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("OK"));
}

TEST_F (EditorSaveFailureTest, aFailedSaveOnTheUsersBehalfAbandonsTheCommandThatAsked)
{
    const auto file = openEditedSetIn ("vanishing");
    ASSERT_TRUE (file.getParentDirectory().deleteRecursively());
    wt::ActionRecorder messages (editor);

    dialogs->yesNoCancelAnswers = { EditorDialogs::YesNoCancel::yes, EditorDialogs::YesNoCancel::yes,
                                    EditorDialogs::YesNoCancel::yes, EditorDialogs::YesNoCancel::yes };
    click ("new-set-button");
    click ("close-button");
    click ("back-button");
    EXPECT_FALSE (editor.askAuthorizationToQuit());

    EXPECT_EQ (dialogs->kinds(),
               juce::StringArray ({ "open", "yes-no-cancel", "message", "yes-no-cancel", "message",
                                    "yes-no-cancel", "message", "yes-no-cancel", "message" }));
    EXPECT_TRUE (messages.messages.isEmpty());
    expectTheFailureToldAndTheChangesKept (file);
    EXPECT_EQ (editor.getSavedAnswer(), EditionComponent::answerCancel);
}

TEST_F (EditorSaveFailureTest, aFailedSaveAsIsToldToo)
{
    newSetWith (1);
    const auto nowhere = folder.child ("gone").getChildFile ("set.mwh");
    dialogs->saveAnswers.push_back (nowhere);

    click ("save-as-button");

    EXPECT_EQ (dialogs->last().message, "The set could not be saved to " + nowhere.getFullPathName() + ".");
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - set.mwh*");
}

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
