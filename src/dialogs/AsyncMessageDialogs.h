#pragma once

#include "dialogs/MessageDialogs.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Warnings shown without waiting for the user: the look-and-feel's alert window, centred on and drawn like
// the component it belongs to, shown modally without a loop of its own. For a screen inside a host's window,
// where a modal loop would hold up the host, and where the host may close the window at any moment: the box
// goes with these dialogs, so it never outlives the component it points at.
class AsyncMessageDialogs final : public MessageDialogs
{
public:
    explicit AsyncMessageDialogs (juce::Component& owner);
    ~AsyncMessageDialogs() override = default;

    void showMessageBox (const juce::String& title, const juce::String& message,
                         const juce::String& button) override;

private:
    juce::Component& owner;
    std::unique_ptr<juce::AlertWindow> shownBox;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AsyncMessageDialogs)
};
