#include "dialogs/NativeEditorDialogs.h"

#include "dialogs/ToolkitFileChooser.h"

#include <juce_gui_basics/juce_gui_basics.h>

EditorDialogs::YesNoCancel NativeEditorDialogs::showYesNoCancelBox (const juce::String& title,
                                                                    const juce::String& message,
                                                                    const juce::String& firstButton,
                                                                    const juce::String& secondButton,
                                                                    const juce::String& thirdButton)
{
    // The toolkit answers 1 for the first button, 2 for the second and 0 for the third or a closed box.
    switch (juce::AlertWindow::showYesNoCancelBox (juce::AlertWindow::NoIcon, title, message, firstButton,
                                                   secondButton, thirdButton, nullptr, nullptr))
    {
        case 1:
            return YesNoCancel::yes;
        case 2:
            return YesNoCancel::no;
        default:
            return YesNoCancel::cancel;
    }
}

bool NativeEditorDialogs::showOkCancelBox (const juce::String& title, const juce::String& message,
                                           const juce::String& firstButton, const juce::String& secondButton)
{
    return juce::AlertWindow::showOkCancelBox (juce::AlertWindow::NoIcon, title, message, firstButton,
                                               secondButton, nullptr, nullptr);
}

void NativeEditorDialogs::showMessageBox (const juce::String& title, const juce::String& message,
                                          const juce::String& button)
{
    juce::AlertWindow::showMessageBox (juce::AlertWindow::WarningIcon, title, message, button, nullptr);
}

juce::File NativeEditorDialogs::browseForFileToOpen (const juce::String& title,
                                                     const juce::File& initialLocation,
                                                     const juce::String& filePatterns)
{
    if (!juce::FileChooser::isPlatformDialogAvailable())
        return ToolkitFileChooser (ToolkitFileChooser::Mode::open, title, initialLocation, filePatterns,
                                   false)
            .run();

    juce::FileChooser chooser (title, initialLocation, filePatterns, true);

    if (!chooser.browseForFileToOpen (nullptr))
        return {};

    return chooser.getResult();
}

juce::File NativeEditorDialogs::browseForFileToSave (const juce::String& title,
                                                     const juce::File& initialLocation,
                                                     const juce::String& filePatterns,
                                                     bool warnAboutOverwriting)
{
    if (!juce::FileChooser::isPlatformDialogAvailable())
        return ToolkitFileChooser (ToolkitFileChooser::Mode::save, title, initialLocation, filePatterns,
                                   warnAboutOverwriting)
            .run();

    juce::FileChooser chooser (title, initialLocation, filePatterns, true);

    if (!chooser.browseForFileToSave (warnAboutOverwriting))
        return {};

    return chooser.getResult();
}
