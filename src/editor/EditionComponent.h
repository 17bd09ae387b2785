#pragma once

#include "advice/SetConseils.h"
#include "base/Bilingual.h"
#include "dialogs/EditorDialogs.h"
#include "editor/EditorNote.h"
#include "widgets/SpecialButton.h"
#include "widgets/SpecialColourSelector.h"
#include "widgets/SpecialLabel.h"
#include "widgets/SpecialTagManager.h"
#include "widgets/SpecialWheel.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class DataTags;
class LibSetsConseils;

// The set editor: a full-window panel that creates, opens, edits and saves one advice set at a time, on
// four pages (advice, description, colour, tags). It keeps a set of its own, apart from the library's,
// guards unsaved changes before a set is replaced or left, and sends "EditionExit" when the user leaves.
// Every question and file chooser goes through an EditorDialogs, the toolkit's own ones by default.
class EditionComponent final
    : public juce::Component
    , public juce::Button::Listener
    , public juce::ActionBroadcaster
    , public juce::ChangeListener
    , public juce::KeyListener
    , public juce::ActionListener
{
public:
    static constexpr const char* exitMessage = "EditionExit";

    // The pages; the mode is the page shown.
    enum Page
    {
        advicePage,
        descriptionPage,
        colourPage,
        tagsPage
    };

    // The answers of the unsaved-changes question.
    enum SavedAnswer
    {
        answerCancel,
        answerSave,
        answerIgnore
    };

    EditionComponent (DataTags* tags, LibSetsConseils* lib);
    ~EditionComponent() override;

    // Replaces the dialogs through which the editor asks the user.
    void setDialogs (std::unique_ptr<EditorDialogs> newDialogs);

    // Back to the empty editor: no set, advice page, no page toggle active.
    void initEdition();

    // Every text of the panel in one language (0 French, else English).
    void setLanguage (int language);

    void updateControls (int newMode);
    void updateHighlight();
    void displayAdvice();

    // Shows getWindowTitle() on the native window holding the editor; nothing while it is on no desktop.
    void updateWindowTitle();
    juce::String getWindowTitle() const;

    void createBackground();

    // The unsaved-changes question: answerSave, answerIgnore (also when there is nothing to save) or
    // answerCancel.
    SavedAnswer callMessageBoxSaved();

    // Asked before the program quits: false keeps it running, and no unsaved change is lost.
    bool askAuthorizationToQuit();

    bool isASetOpen() const { return isSetOpen; }
    bool isCurrentSetSaved() const { return isSaved; }
    int getMode() const { return mode; }
    SavedAnswer getSavedAnswer() const { return savedAnswer; }
    int getCurrentLanguage() const { return currentLanguage; }
    const SetConseils* getCurrentSet() const { return currentSet.get(); }

    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;
    bool keyPressed (const juce::KeyPress& key) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void actionListenerCallback (const juce::String& message) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    bool keyPressed (const juce::KeyPress& key, juce::Component* origin) override;

private:
    // The window's title, and the title of every question the editor asks.
    static inline const juce::String programName{ "Musewheeler" };

    // While the editor is on screen, focus that its window takes for itself (on coming back from a dialog
    // or from another program) passes on to the editor, so that its keys keep working.
    class FocusKeeper final : public juce::FocusChangeListener
    {
    public:
        explicit FocusKeeper (EditionComponent& editorToKeep);
        ~FocusKeeper() override;

        void globalFocusChanged (juce::Component* focusedComponent) override;

    private:
        EditionComponent& editor;

        JUCE_DECLARE_NON_COPYABLE (FocusKeeper)
    };

    void setUpButtons();
    void setUpLabels();

    // A shortcut's button is pressed only while it is shown; true when it was.
    bool pressIfShown (SpecialButton& button);

    // The unsaved-changes guard of the commands that replace or leave the set: false abandons the command.
    bool guardUnsavedChanges();
    void leaveActivePage();
    void applyPendingEdits();
    void takeBackKeyboardFocus();
    void keepKeyboardFocus();

    void newSet();
    void openSet();
    void saveSet();
    void saveSetAs();
    void writeSet();
    // Before the set's own file is written over: false when the user would rather keep the file.
    bool confirmWritingOverItsFile();
    void closeSet();
    void goBack();
    void toggleSetLanguage();
    void addAdvice();
    void duplicateAdvice();
    void deleteAdvice();
    void finishAdviceCommand();
    void togglePage (SpecialButton& toggle, int page);
    // After every change to the open set.
    void markEdited();

    // The wheel's value while it names an advice of the set, else -1.
    int getCurrentAdvice() const;
    int getNumAdvices() const;
    juce::File getDataFolder() const;

    DataTags* dataTags = nullptr;
    LibSetsConseils* libSets = nullptr;
    std::unique_ptr<SetConseils> currentSet;
    bool isSetOpen = false;
    bool isSaved = false;
    int currentLanguage = Bilingual::english;
    int mode = advicePage;
    SavedAnswer savedAnswer = answerIgnore;
    juce::Image background;
    std::unique_ptr<EditorDialogs> dialogs;

    SpecialButton buttonNewSet;
    SpecialButton buttonOpenSet;
    SpecialButton buttonSave;
    SpecialButton buttonSaveAs;
    SpecialButton buttonClose;
    SpecialButton buttonLanguage;
    SpecialButton buttonColour;
    SpecialButton buttonDescription;
    SpecialButton buttonTags;
    SpecialButton buttonAddAdvice;
    SpecialButton buttonDuplicateAdvice;
    SpecialButton buttonDeleteAdvice;
    SpecialButton buttonBack;
    SpecialLabel labelName;
    SpecialLabel labelAdvice;
    SpecialLabel labelAuthor;
    SpecialWheel wheel;
    juce::Label labelDescriptionTitle;
    SpecialLabel labelDescription;
    juce::Label labelColour;
    SpecialColourSelector colourSelector;
    SpecialTagManager tagManager;
    juce::Label labelTagsAdvice;
    EditorNote note;
    FocusKeeper focusKeeper{ *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditionComponent)
};
