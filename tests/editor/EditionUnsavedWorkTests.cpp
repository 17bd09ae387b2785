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
    set.loadData (2);
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
    dialogs->yesNoCancelAnswers.push_back (EditionComponent::answerCancel);

    EXPECT_TRUE (pressWhileTyping (juce::KeyPress (GetParam(), juce::ModifierKeys::ctrlModifier, 0)));

    EXPECT_EQ (dialogs->kinds(), juce::StringArray ("yes-no-cancel"));
    expectTypedTextKeptUnsaved();
}

INSTANTIATE_TEST_SUITE_P (NewOpenAndClose, PendingEditShortcutTest, ::testing::Values ('n', 'o', 'w'),
                          [] (const ::testing::TestParamInfo<char>& shortcut)
                          { return std::string ("control") + (char) std::toupper (shortcut.param); });

TEST_F (PendingEditTest, theQuitQuestionCountsWhatIsBeingTyped)
{
    dialogs->yesNoCancelAnswers.push_back (EditionComponent::answerCancel);
    EXPECT_FALSE (editor.askAuthorizationToQuit());
    EXPECT_EQ (dialogs->kinds(), juce::StringArray ("yes-no-cancel"));
    expectTypedTextKeptUnsaved();

    // Yes writes the typed text before the program may end.
    dialogs->yesNoCancelAnswers.push_back (EditionComponent::answerSave);
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
