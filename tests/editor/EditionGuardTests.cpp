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

    if (const auto why = fault_injection::ScopedFileSizeLimit::whyUnavailable(); why.isNotEmpty())
        GTEST_SKIP() << why;

    {
        fault_injection::ScopedFileSizeLimit fullDisk (static_cast<juce::int64> (before.getSize()) + 10);
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
