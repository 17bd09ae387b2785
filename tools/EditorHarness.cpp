// The set editor alone in a window of the program's size, on the program's look, with a small data
// folder beside it, for trying the editor by hand.
//
// Usage: EditorHarness [--french] [--open FILE] [--page description|colour|tags]
//   --french  the editor's texts in French (English otherwise)
//   --open    opens FILE (a path, or a name in the data folder) as if chosen in the Open dialog
//   --page    then switches to that page
// Leaving the editor with its Back button brings it back empty, as the main menu would reopen it.
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "dialogs/NativeEditorDialogs.h"
#include "editor/EditionComponent.h"
#include "widgets/CustomLookAndFeel.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <utility>

namespace
{
struct HarnessOptions
{
    int language = 1;
    juce::File setToOpen;
    juce::String page;
};

HarnessOptions parseOptions (const juce::StringArray& arguments)
{
    HarnessOptions options;

    for (int i = 0; i < arguments.size(); ++i)
    {
        if (arguments[i] == "--french")
            options.language = 0;
        else if (arguments[i] == "--open" && i + 1 < arguments.size())
            options.setToOpen = LibSetsConseils::getDirectoryDataLib().getChildFile (arguments[++i]);
        else if (arguments[i] == "--page" && i + 1 < arguments.size())
            options.page = arguments[++i];
    }

    return options;
}

// The user's own dialogs, except that the first Open dialog is answered with the file of the command line.
class HarnessDialogs final : public EditorDialogs
{
public:
    explicit HarnessDialogs (const juce::File& firstSetToOpen)
        : setToOpen (firstSetToOpen)
    {
    }

    YesNoCancel showYesNoCancelBox (const juce::String& title, const juce::String& message,
                                    const juce::String& first, const juce::String& second,
                                    const juce::String& third) override
    {
        return native.showYesNoCancelBox (title, message, first, second, third);
    }

    bool showOkCancelBox (const juce::String& title, const juce::String& message, const juce::String& first,
                          const juce::String& second) override
    {
        return native.showOkCancelBox (title, message, first, second);
    }

    void showMessageBox (const juce::String& title, const juce::String& message,
                         const juce::String& button) override
    {
        native.showMessageBox (title, message, button);
    }

    juce::File browseForFileToOpen (const juce::String& title, const juce::File& initialLocation,
                                    const juce::String& filePatterns) override
    {
        if (setToOpen != juce::File())
            return std::exchange (setToOpen, juce::File());

        return native.browseForFileToOpen (title, initialLocation, filePatterns);
    }

    juce::File browseForFileToSave (const juce::String& title, const juce::File& initialLocation,
                                    const juce::String& filePatterns, bool warnAboutOverwriting) override
    {
        return native.browseForFileToSave (title, initialLocation, filePatterns, warnAboutOverwriting);
    }

private:
    NativeEditorDialogs native;
    juce::File setToOpen;
};

class HarnessContent final
    : public juce::Component
    , public juce::ActionListener
{
public:
    explicit HarnessContent (const HarnessOptions& harnessOptions)
        : options (harnessOptions)
    {
        // The main screen gives text buttons the square grey outline while the editor is on screen.
        look.setTypeButton (true);
        juce::LookAndFeel::setDefaultLookAndFeel (&look);
        sendLookAndFeelChange();

        editor.setDialogs (std::make_unique<HarnessDialogs> (options.setToOpen));
        editor.addActionListener (this);
        addAndMakeVisible (editor);
        setSize (500, 350);
    }

    ~HarnessContent() override
    {
        editor.removeActionListener (this);
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

    // What the main screen does when the editor is picked in its menu.
    void showEditor()
    {
        editor.initEdition();
        editor.setLanguage (options.language);
        dataTags.initDataTagsLibrary (options.language == 1);

        if (editor.isShowing())
            editor.grabKeyboardFocus();
    }

    // Opens the set and the page of the command line, through the editor's own commands.
    void runCommandLine()
    {
        if (options.setToOpen != juce::File())
            clickEditorButton ("open-set-button");

        if (options.page == "description")
            clickEditorButton ("description-button");
        else if (options.page == "colour")
            clickEditorButton ("colour-button");
        else if (options.page == "tags")
            clickEditorButton ("tags-button");
    }

    bool askAuthorizationToQuit() { return editor.askAuthorizationToQuit(); }

    void resized() override { editor.setBounds (getLocalBounds()); }

    void actionListenerCallback (const juce::String& message) override
    {
        if (message == "EditionExit")
            showEditor();
    }

private:
    void clickEditorButton (const juce::String& id)
    {
        if (auto* button = dynamic_cast<juce::Button*> (editor.findChildWithID (id));
            button != nullptr && button->isVisible())
            editor.buttonClicked (button);
    }

    HarnessOptions options;
    CustomLookAndFeel look;
    DataTags dataTags;
    LibSetsConseils library{ &dataTags };
    EditionComponent editor{ &dataTags, &library };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HarnessContent)
};

class HarnessWindow final : public juce::DocumentWindow
{
public:
    explicit HarnessWindow (const HarnessOptions& options)
        : juce::DocumentWindow ("Musewheeler", juce::Colours::black,
                                juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton,
                                false)
    {
        // On the desktop only once set up: switching to the native title bar there would rebuild the window.
        setUsingNativeTitleBar (true);
        setResizable (false, false);
        setContentOwned (new HarnessContent (options), true);
        setTopLeftPosition (0, 0);
        addToDesktop();
        setVisible (true);
    }

    void closeButtonPressed() override { juce::JUCEApplication::getInstance()->systemRequestedQuit(); }

    HarnessContent& getContent() { return *dynamic_cast<HarnessContent*> (getContentComponent()); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HarnessWindow)
};

class EditorHarnessApplication final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "EditorHarness"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String&) override
    {
        window = std::make_unique<HarnessWindow> (parseOptions (getCommandLineParameterArray()));
        window->getContent().showEditor();

        // Once the window is on screen, so that the editor's title reaches it.
        juce::MessageManager::callAsync (
            [this]
            {
                if (window != nullptr)
                    window->getContent().runCommandLine();
            });
    }

    // The editor's own quit question, as the program asks it when its window is closed.
    void systemRequestedQuit() override
    {
        if (window == nullptr || window->getContent().askAuthorizationToQuit())
            quit();
    }

    void shutdown() override { window.reset(); }

private:
    std::unique_ptr<HarnessWindow> window;
};
} // namespace

START_JUCE_APPLICATION (EditorHarnessApplication)
