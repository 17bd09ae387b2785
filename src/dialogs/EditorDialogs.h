#pragma once

#include "dialogs/MessageDialogs.h"

// Every question, alert and file chooser of the set editor goes through this one interface, so that the
// editor's commands can run with scripted answers. The editor builds every text; an implementation
// only shows them and reports the user's answer.
class EditorDialogs : public MessageDialogs
{
public:
    ~EditorDialogs() override = default;

    // The answer to a three-button question: yes for the first button, no for the second, cancel for the
    // third or a box closed without an answer.
    enum class YesNoCancel
    {
        cancel,
        yes,
        no
    };

    virtual YesNoCancel showYesNoCancelBox (const juce::String& title, const juce::String& message,
                                            const juce::String& firstButton, const juce::String& secondButton,
                                            const juce::String& thirdButton) = 0;

    // True for the first button, false for the second or a box closed without an answer.
    virtual bool showOkCancelBox (const juce::String& title, const juce::String& message,
                                  const juce::String& firstButton, const juce::String& secondButton) = 0;

    // The file the user picked, or juce::File() when the chooser was cancelled.
    virtual juce::File browseForFileToOpen (const juce::String& title, const juce::File& initialLocation,
                                            const juce::String& filePatterns) = 0;
    virtual juce::File browseForFileToSave (const juce::String& title, const juce::File& initialLocation,
                                            const juce::String& filePatterns, bool warnAboutOverwriting) = 0;
};
