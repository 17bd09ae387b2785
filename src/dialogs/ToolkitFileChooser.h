#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The toolkit's own file chooser, for a system without a native one: a window with its title in the window
// manager's title bar and the keyboard in its file-name field from the start, so that a name can be typed
// and taken with Return without the mouse. Its buttons and labels follow the toolkit's translations
// (ToolkitTexts).
class ToolkitFileChooser final
{
public:
    enum class Mode
    {
        open,
        save
    };

    // parent: the component to show the chooser in instead of a window of its own (for tests).
    ToolkitFileChooser (Mode mode, const juce::String& title, const juce::File& initialLocation,
                        const juce::String& filePatterns, bool warnAboutOverwriting,
                        juce::Component* parent = nullptr);
    ~ToolkitFileChooser();

    // Shows the chooser and waits for the user: the file chosen, or juce::File() when cancelled.
    juce::File run();

    juce::FileChooserDialogBox& getWindow();
    juce::TextEditor& getFileNameField();
    juce::FileBrowserComponent& getBrowser() { return browser; }

private:
    class Window;

    juce::WildcardFileFilter filter;
    juce::FileBrowserComponent browser;
    std::unique_ptr<Window> window;

    JUCE_DECLARE_NON_COPYABLE (ToolkitFileChooser)
};
