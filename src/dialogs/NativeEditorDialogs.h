#pragma once

#include "dialogs/EditorDialogs.h"

// The editor's dialogs as the user sees them: the toolkit's modal alert windows, without icon for the
// questions, and the operating system's own file choosers (zenity or kdialog), or the toolkit's where there
// is none.
class NativeEditorDialogs final : public EditorDialogs
{
public:
    NativeEditorDialogs() = default;
    ~NativeEditorDialogs() override = default;

    YesNoCancel showYesNoCancelBox (const juce::String& title, const juce::String& message,
                                    const juce::String& firstButton, const juce::String& secondButton,
                                    const juce::String& thirdButton) override;
    bool showOkCancelBox (const juce::String& title, const juce::String& message,
                          const juce::String& firstButton, const juce::String& secondButton) override;
    void showMessageBox (const juce::String& title, const juce::String& message,
                         const juce::String& button) override;
    juce::File browseForFileToOpen (const juce::String& title, const juce::File& initialLocation,
                                    const juce::String& filePatterns) override;
    juce::File browseForFileToSave (const juce::String& title, const juce::File& initialLocation,
                                    const juce::String& filePatterns, bool warnAboutOverwriting) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NativeEditorDialogs)
};
