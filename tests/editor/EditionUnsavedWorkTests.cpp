#include "TestHelpers.h"

#include "editor/EditionComponent.h"
#include "editor/EditorTestHelpers.h"

#include <gtest/gtest.h>

using editor_testing::EditorTest;
using editor_testing::setFileText;

namespace
{
SetConseils readBack (DataTags& tags, const juce::File& file)
{
    SetConseils set (&tags);
    set.setFileSet (file);
    set.loadData (SetConseils::headerAndAdvice);
    return set;
}

// An opened set whose advice field holds a text typed but not yet accepted with Return.
class PendingEditTest : public EditorTest
{
protected:
    static constexpr const char* typed = "Typed but not confirmed";

    void SetUp() override
    {
        file = writeSet ("pending.mwh", setFileText ("Pending", 1, { "Alpha" }));
        openFile (file);
        ASSERT_TRUE (editor.isCurrentSetSaved());
        dialogs->asked.clear();

        auto& field = label ("advice-label");
        field.showEditor();
        textEditor = field.getCurrentTextEditor();
        ASSERT_NE (textEditor, nullptr);
        textEditor->setText ({}, false);
        textEditor->insertTextAtCaret (typed);
    }

    // A key typed into the field: the field's editor passes shortcuts on, and the toolkit hands them to
    // the parents in turn, up to the editor panel.
    bool pressWhileTyping (const juce::KeyPress& key)
    {
        if (textEditor->keyPressed (key))
            return true;

        return editor.keyPressed (key);
    }

    void expectTypedTextKeptUnsaved()
    {
        ASSERT_TRUE (editor.isASetOpen());
        EXPECT_FALSE (label ("advice-label").isBeingEdited());
        EXPECT_EQ (set().getDescriptionItem (0), typed);
        EXPECT_FALSE (editor.isCurrentSetSaved());
        EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - pending.mwh*");
        EXPECT_EQ (readBack (tags, file).getDescriptionItem (0), "Alpha");
    }

    juce::File file;
    juce::TextEditor* textEditor = nullptr;
};
} // namespace

TEST_F (PendingEditTest, controlSSavesWhatIsBeingTyped)
{
    EXPECT_TRUE (pressWhileTyping (juce::KeyPress ('s', juce::ModifierKeys::ctrlModifier, 0)));

    EXPECT_FALSE (label ("advice-label").isBeingEdited());
    EXPECT_EQ (label ("advice-label").getText(), typed);
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - pending.mwh");
    EXPECT_EQ (readBack (tags, file).getDescriptionItem (0), typed);
    EXPECT_TRUE (dialogs->asked.empty());
}

// Each shortcut that replaces or leaves the set asks about the typed text first; Cancel keeps it.
class PendingEditShortcutTest
    : public PendingEditTest
    , public ::testing::WithParamInterface<char>
{
};

TEST_P (PendingEditShortcutTest, asksBeforeDroppingWhatIsBeingTyped)
{
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::cancel);

    EXPECT_TRUE (pressWhileTyping (juce::KeyPress (GetParam(), juce::ModifierKeys::ctrlModifier, 0)));

    EXPECT_EQ (dialogs->kinds(), juce::StringArray ("yes-no-cancel"));
    expectTypedTextKeptUnsaved();
}

INSTANTIATE_TEST_SUITE_P (NewOpenAndClose, PendingEditShortcutTest, ::testing::Values ('n', 'o', 'w'),
                          [] (const ::testing::TestParamInfo<char>& shortcut)
                          { return std::string ("control") + (char) std::toupper (shortcut.param); });

TEST_F (PendingEditTest, theQuitQuestionCountsWhatIsBeingTyped)
{
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::cancel);
    EXPECT_FALSE (editor.askAuthorizationToQuit());
    EXPECT_EQ (dialogs->kinds(), juce::StringArray ("yes-no-cancel"));
    expectTypedTextKeptUnsaved();

    // Yes writes the typed text before the program may end.
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::yes);
    EXPECT_TRUE (editor.askAuthorizationToQuit());
    EXPECT_EQ (readBack (tags, file).getDescriptionItem (0), typed);
}

TEST_F (PendingEditTest, escapeIsTheOneWayOutThatDropsTheTypedText)
{
    // The field's editor hands Escape on to the label through a message.
    EXPECT_TRUE (textEditor->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
    testing_helpers::deliverMessages();

    EXPECT_FALSE (label ("advice-label").isBeingEdited());
    EXPECT_EQ (set().getDescriptionItem (0), "Alpha");
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_TRUE (editor.askAuthorizationToQuit());
    EXPECT_TRUE (dialogs->asked.empty());
}

TEST_F (PendingEditTest, everyFieldIsCommittedNotOnlyTheAdvice)
{
    label ("advice-label").hideEditor (true);

    for (const auto* id : { "name-label", "author-label" })
    {
        auto& field = label (id);
        field.showEditor();
        field.getCurrentTextEditor()->setText (juce::String (id) + " typed", false);
        EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('s', juce::ModifierKeys::ctrlModifier, 0)));
    }

    click ("description-button");
    auto& description = label ("description-label");
    description.showEditor();
    description.getCurrentTextEditor()->setText ("description typed", false);
    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('s', juce::ModifierKeys::ctrlModifier, 0)));

    const auto written = readBack (tags, file);
    EXPECT_EQ (written.getName(), "name-label typed");
    EXPECT_EQ (written.getAuthor(), "author-label typed");
    EXPECT_EQ (written.getDescription(), "description typed");
    EXPECT_TRUE (editor.isCurrentSetSaved());
}

//==============================================================================
namespace
{
// An opened set, renamed in the editor, whose file another program may then change.
class SaveOverChangedFileTest : public EditorTest
{
protected:
    void SetUp() override
    {
        file = writeSet ("shared.mwh", setFileText ("Shared", 1, { "Alpha", "Beta" }));
        openFile (file);
        edit ("name-label", "Renamed here");
        dialogs->asked.clear();
    }

    void changeFileElsewhere()
    {
        ASSERT_TRUE (
            file.replaceWithText (setFileText ("Shared", 1, { "Alpha", "Beta", "Added elsewhere" })));
    }

    juce::String changedQuestion() const
    {
        return "The file " + file.getFullPathName() +
               " was changed by another program since it was opened. Replace it with the set shown here?";
    }

    juce::File file;
};
} // namespace

TEST_F (SaveOverChangedFileTest, replaceWritesTheSetShownOverTheOtherChanges)
{
    changeFileElsewhere();
    dialogs->okCancelAnswers.push_back (true);

    click ("save-button");

    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("ok-cancel"));
    EXPECT_EQ (dialogs->last().title, "Musewheeler");
    EXPECT_EQ (dialogs->last().message, changedQuestion());
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("Replace", "Cancel"));
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (readBack (tags, file).getName(), "Renamed here");
    EXPECT_EQ (readBack (tags, file).getNumConseils(), 2);

    // Once written, the file is the editor's own again: the next save asks nothing.
    edit ("name-label", "Renamed twice");
    click ("save-button");
    EXPECT_EQ (dialogs->kinds().size(), 1);
    EXPECT_EQ (readBack (tags, file).getName(), "Renamed twice");
}

TEST_F (SaveOverChangedFileTest, cancelKeepsTheOtherProgramsFileAndTheSetUnsaved)
{
    changeFileElsewhere();
    dialogs->okCancelAnswers.push_back (false);

    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('s', juce::ModifierKeys::ctrlModifier, 0)));

    EXPECT_EQ (dialogs->kinds(), juce::StringArray ("ok-cancel"));
    EXPECT_EQ (readBack (tags, file).getName(), "Shared");
    EXPECT_EQ (readBack (tags, file).getNumConseils(), 3);
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getSavedAnswer(), EditionComponent::answerCancel);
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - shared.mwh*");
    EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::highlightedState);

    // Save as... stays open to the user, with no further question for another file.
    dialogs->saveAnswers.push_back (folder.child ("mine.mwh"));
    click ("save-as-button");
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (readBack (tags, folder.child ("mine.mwh")).getName(), "Renamed here");
    EXPECT_EQ (readBack (tags, file).getNumConseils(), 3);
}

TEST_F (SaveOverChangedFileTest, cancelAbandonsTheCommandThatAskedForTheSave)
{
    changeFileElsewhere();
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::yes);
    dialogs->okCancelAnswers.push_back (false);

    click ("close-button");

    EXPECT_EQ (dialogs->kinds(), juce::StringArray ("yes-no-cancel", "ok-cancel"));
    ASSERT_TRUE (editor.isASetOpen());
    EXPECT_EQ (set().getName(), "Renamed here");
    EXPECT_EQ (readBack (tags, file).getNumConseils(), 3);

    // The quit question: the program keeps running.
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::yes);
    dialogs->okCancelAnswers.push_back (false);
    EXPECT_FALSE (editor.askAuthorizationToQuit());
    EXPECT_TRUE (dialogs->allAnswersUsed());
}

TEST_F (SaveOverChangedFileTest, aFileTouchedButNotChangedIsWrittenWithoutAQuestion)
{
    ASSERT_TRUE (
        file.setLastModificationTime (juce::Time::getCurrentTime() + juce::RelativeTime::minutes (5)));

    click ("save-button");

    EXPECT_TRUE (dialogs->asked.empty());
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (readBack (tags, file).getName(), "Renamed here");
}

TEST_F (SaveOverChangedFileTest, aFileRemovedMeanwhileIsSimplyWrittenAgain)
{
    ASSERT_TRUE (file.deleteFile());

    click ("save-button");

    EXPECT_TRUE (dialogs->asked.empty());
    EXPECT_EQ (readBack (tags, file).getName(), "Renamed here");
}

TEST_F (SaveOverChangedFileTest, theQuestionIsAskedInFrench)
{
    editor.setLanguage (0);
    changeFileElsewhere();
    dialogs->okCancelAnswers.push_back (false);

    click ("save-button");

    EXPECT_EQ (dialogs->last().message,
               "Le fichier " + file.getFullPathName() +
                   testing_helpers::utf8 (" a été modifié par un autre programme depuis son ouverture. Le "
                                          "remplacer par le set affiché ?"));
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("Remplacer", "Annuler"));
}

//==============================================================================
TEST_F (EditorTest, savingOverAFileThatWasNotReadWholeAsksFirst)
{
    // Everything after the NUL is passed over by the reader; writing the set would drop it for good.
    auto text = setFileText ("Cut", 1, { "Alpha" });
    juce::MemoryOutputStream bytes;
    bytes << text;
    bytes.writeByte (0);
    bytes << "Item=Hidden advice;\r\nFavorite=false;\r\nTags=1,;\r\n";
    const auto file = folder.child ("cut.mwh");
    ASSERT_TRUE (file.replaceWithData (bytes.getData(), bytes.getDataSize()));
    const auto before = testing_helpers::fileBytes (file);

    openFile (file);
    edit ("name-label", "Renamed");
    dialogs->okCancelAnswers.push_back (false);
    click ("save-button");

    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("open", "ok-cancel"));
    EXPECT_TRUE (dialogs->last().message.startsWith ("The file " + file.getFullPathName() +
                                                     " holds text that Musewheeler could not read"));
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("Save", "Cancel"));
    EXPECT_EQ (testing_helpers::fileBytes (file), before);
    EXPECT_FALSE (editor.isCurrentSetSaved());

    dialogs->okCancelAnswers.push_back (true);
    click ("save-button");
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (readBack (tags, file).getName(), "Renamed");

    // The file now holds exactly the set: nothing more to warn about.
    edit ("name-label", "Renamed again");
    click ("save-button");
    EXPECT_EQ (dialogs->kinds().size(), 3);
}
