#include "dialogs/ToolkitFileChooser.h"

namespace
{
int browserFlags (ToolkitFileChooser::Mode mode, bool warnAboutOverwriting)
{
    if (mode == ToolkitFileChooser::Mode::open)
        return juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles;

    return juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles |
           (warnAboutOverwriting ? juce::FileBrowserComponent::warnAboutOverwriting : 0);
}

// The browser's one text field of its own: the file name (the folder box's field lies inside its combo box).
juce::TextEditor* findFileNameField (juce::FileBrowserComponent& browser)
{
    for (auto* child : browser.getChildren())
        if (auto* field = dynamic_cast<juce::TextEditor*> (child))
            return field;

    return nullptr;
}
} // namespace

// The window hands the keyboard it is given on to the file-name field.
class ToolkitFileChooser::Window final : public juce::FileChooserDialogBox
{
public:
    Window (const juce::String& title, juce::FileBrowserComponent& browser, bool warnAboutOverwriting,
            juce::Component* parent)
        : juce::FileChooserDialogBox (title, {}, browser, warnAboutOverwriting,
                                      browser.findColour (juce::AlertWindow::backgroundColourId), parent)
        , fileNameField (findFileNameField (browser))
    {
        jassert (fileNameField != nullptr);
        setUsingNativeTitleBar (true);

        // The field keeps Return (it takes the name) but lets Escape through to the window, which would
        // otherwise reach the Cancel button's shortcut only from outside the field.
        fileNameField->setEscapeAndReturnKeysConsumed (false);
    }

    bool keyPressed (const juce::KeyPress& key) override
    {
        if (key != juce::KeyPress (juce::KeyPress::escapeKey))
            return juce::FileChooserDialogBox::keyPressed (key);

        exitModalState (0);
        return true;
    }

    juce::TextEditor& getFileNameField() { return *fileNameField; }

    void focusGained (FocusChangeType) override
    {
        if (fileNameField->isShowing())
            fileNameField->grabKeyboardFocus();
    }

private:
    juce::TextEditor* fileNameField;
};

ToolkitFileChooser::ToolkitFileChooser (Mode mode, const juce::String& title,
                                        const juce::File& initialLocation, const juce::String& filePatterns,
                                        bool warnAboutOverwriting, juce::Component* parent)
    : filter (filePatterns, {}, {})
    , browser (browserFlags (mode, warnAboutOverwriting), initialLocation, &filter, nullptr)
    , window (std::make_unique<Window> (title, browser, warnAboutOverwriting, parent))
{
}

ToolkitFileChooser::~ToolkitFileChooser()
{
    // The window holds the browser as its content without owning it.
    window.reset();
}

juce::File ToolkitFileChooser::run()
{
    if (!window->show())
        return {};

    return browser.getSelectedFile (0);
}

juce::FileChooserDialogBox& ToolkitFileChooser::getWindow()
{
    return *window;
}

juce::TextEditor& ToolkitFileChooser::getFileNameField()
{
    return window->getFileNameField();
}
