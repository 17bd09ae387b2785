#pragma once

#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "dialogs/EditorDialogs.h"
#include "editor/EditionComponent.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>
#include <vector>

namespace editor_testing
{
// Answers the editor's dialogs from a script and keeps what each one asked. A dialog that the script
// does not expect fails the test and is answered as if the user had cancelled it.
class ScriptedEditorDialogs final : public EditorDialogs
{
public:
    struct Asked
    {
        juce::String kind;
        juce::String title;
        juce::String message;
        juce::StringArray buttons;
        juce::File initialLocation;
        juce::String filePatterns;
        bool warnAboutOverwriting = false;
    };

    YesNoCancel showYesNoCancelBox (const juce::String& title, const juce::String& message,
                                    const juce::String& firstButton, const juce::String& secondButton,
                                    const juce::String& thirdButton) override
    {
        asked.push_back (
            { "yes-no-cancel", title, message, { firstButton, secondButton, thirdButton }, {}, {} });
        return next (yesNoCancelAnswers, YesNoCancel::cancel);
    }

    bool showOkCancelBox (const juce::String& title, const juce::String& message,
                          const juce::String& firstButton, const juce::String& secondButton) override
    {
        asked.push_back ({ "ok-cancel", title, message, { firstButton, secondButton }, {}, {} });
        return next (okCancelAnswers, false);
    }

    void showMessageBox (const juce::String& title, const juce::String& message,
                         const juce::String& button) override
    {
        asked.push_back ({ "message", title, message, { button }, {}, {} });
    }

    juce::File browseForFileToOpen (const juce::String& title, const juce::File& initialLocation,
                                    const juce::String& filePatterns) override
    {
        asked.push_back ({ "open", title, {}, {}, initialLocation, filePatterns });
        return next (openAnswers, juce::File());
    }

    juce::File browseForFileToSave (const juce::String& title, const juce::File& initialLocation,
                                    const juce::String& filePatterns, bool warnAboutOverwriting) override
    {
        asked.push_back ({ "save", title, {}, {}, initialLocation, filePatterns, warnAboutOverwriting });
        return next (saveAnswers, juce::File());
    }

    // The kinds of dialog asked so far, in order.
    juce::StringArray kinds() const
    {
        juce::StringArray all;

        for (const auto& dialog : asked)
            all.add (dialog.kind);

        return all;
    }

    const Asked& last() const
    {
        static const Asked nothing;
        return asked.empty() ? nothing : asked.back();
    }

    bool allAnswersUsed() const
    {
        return yesNoCancelAnswers.empty() && okCancelAnswers.empty() && openAnswers.empty() &&
               saveAnswers.empty();
    }

    std::vector<Asked> asked;
    std::deque<YesNoCancel> yesNoCancelAnswers;
    std::deque<bool> okCancelAnswers;
    std::deque<juce::File> openAnswers;
    std::deque<juce::File> saveAnswers;

private:
    template <typename Answer>
    Answer next (std::deque<Answer>& answers, Answer cancelled)
    {
        if (answers.empty())
        {
            ADD_FAILURE() << "unexpected dialog: " << asked.back().kind << " \"" << asked.back().message
                          << "\"";
            return cancelled;
        }

        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A set file in the current format; every advice carries the given hash list and no favourite mark.
inline juce::String setFileText (const juce::String& name, int language, const juce::StringArray& advices,
                                 const juce::String& description = "A description",
                                 const juce::String& hashList = "1,100,")
{
    auto set = testing_helpers::SetFileText()
                   .withName (name)
                   .withDescription (description)
                   .withAuthor ("Tests")
                   .withLanguage (language)
                   .withColour ("32,0,255");

    for (const auto& advice : advices)
        set.add (advice, hashList);

    // With the line ends the program's writer uses.
    return set.toString().replace ("\n", "\r\n");
}

// The editor at the size the main screen gives it, with the program's look and scripted dialogs, off
// the desktop; set files live in a temporary folder.
class EditorTest : public ::testing::Test
{
protected:
    EditorTest()
    {
        auto scripted = std::make_unique<ScriptedEditorDialogs>();
        dialogs = scripted.get();
        editor.setDialogs (std::move (scripted));
        editor.setBounds (0, 0, 500, 350);
        editor.initEdition();
        editor.setLanguage (1);
    }

    ~EditorTest() override
    {
        for (auto* label : { "name-label", "advice-label", "author-label", "description-label" })
            if (auto* editable = dynamic_cast<juce::Label*> (editor.findChildWithID (label)))
                editable->hideEditor (true);
    }

    template <typename ComponentType>
    ComponentType& child (const juce::String& id)
    {
        auto* found = dynamic_cast<ComponentType*> (editor.findChildWithID (id));

        // GoogleTest reports the exception as the test's failure.
        if (found == nullptr)
            throw std::runtime_error ("the editor has no child " + id.toStdString() + " of that type");

        return *found;
    }

    SpecialButton& button (const juce::String& id) { return child<SpecialButton> (id); }
    SpecialLabel& label (const juce::String& id) { return child<SpecialLabel> (id); }
    SpecialWheel& wheel() { return child<SpecialWheel> ("wheel"); }
    SpecialTagManager& tagManager() { return child<SpecialTagManager> ("tag-manager"); }

    bool isShown (const juce::String& id) { return editor.findChildWithID (id)->isVisible(); }

    // A press and a release on the button's circle, as the user's click; then the queued messages.
    void click (const juce::String& id)
    {
        auto& target = button (id);
        EXPECT_TRUE (target.isVisible()) << id << " is hidden";
        widget_testing::click (target, target.getCircleBounds().getCentre());
        testing_helpers::deliverMessages();
    }

    // Types into an editable label and presses Return, as the user accepts an edit.
    void edit (const juce::String& id, const juce::String& typed)
    {
        auto& target = label (id);
        target.showEditor();
        auto* textEditor = target.getCurrentTextEditor();
        ASSERT_NE (textEditor, nullptr) << id << " cannot be edited";
        textEditor->setText (typed, false);
        textEditor->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
        testing_helpers::deliverMessages();
    }

    juce::File writeSet (const juce::String& fileName, const juce::String& text)
    {
        const auto file = folder.child (fileName);
        EXPECT_TRUE (file.replaceWithText (text));
        return file;
    }

    // Opens a set file through the Open command, answering the chooser with it.
    void openFile (const juce::File& file)
    {
        dialogs->openAnswers.push_back (file);
        click ("open-set-button");
    }

    void openSetWith (const juce::StringArray& advices, int language = 1)
    {
        openFile (writeSet ("opened.mwh", setFileText ("Opened set", language, advices)));
        ASSERT_TRUE (editor.isASetOpen());
    }

    void newSetWith (int numAdvices)
    {
        click ("new-set-button");

        for (int i = 1; i < numAdvices; ++i)
            click ("add-advice-button");
    }

    const SetConseils& set() const { return *editor.getCurrentSet(); }

    // The data folder the dialogs start in is looked for in a folder of the test's own.
    testing_helpers::ScopedProgramFolder programFolder;
    widget_testing::ScopedProgramLook programLook;
    DataTags tags;
    LibSetsConseils library{ &tags };
    EditionComponent editor{ &tags, &library };
    ScriptedEditorDialogs* dialogs = nullptr;
    testing_helpers::TemporaryFolder folder;
};

// The unsaved-changes question in English.
inline const juce::String modifiedQuestion ("The set has been modified. Would you like to save it now ?");

// The set as a fresh read of that file gives it.
inline SetConseils readBack (DataTags& tags, const juce::File& file)
{
    SetConseils set (&tags);
    set.setFileSet (file);
    set.loadData (SetConseils::headerAndAdvice);
    return set;
}

// The texts of the set's advice, in order.
inline juce::StringArray advicesOf (const SetConseils& set)
{
    juce::StringArray texts;

    for (int i = 0; i < set.getNumConseils(); ++i)
        texts.add (set.getDescriptionItem (i));

    return texts;
}
} // namespace editor_testing
