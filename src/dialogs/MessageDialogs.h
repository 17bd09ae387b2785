#pragma once

#include <juce_core/juce_core.h>

// A warning that needs no answer: all the main screen ever tells the user in a box. Kept apart from the
// editor's questions because a warning can be shown without waiting for the user, as a plugin's editor
// must, while a question's answer is needed before its command goes on.
class MessageDialogs
{
public:
    virtual ~MessageDialogs() = default;

    virtual void showMessageBox (const juce::String& title, const juce::String& message,
                                 const juce::String& button) = 0;
};
