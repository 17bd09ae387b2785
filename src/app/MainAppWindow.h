#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MainComponent;

// The program's one window: fixed size, native title bar, owning the main screen as its content.
class MainAppWindow final : public juce::DocumentWindow
{
public:
    MainAppWindow();
    ~MainAppWindow() override = default;

    void closeButtonPressed() override;
    void focusGained (FocusChangeType) override;

    // Whether the program may end now; the set editor asks about unsaved changes first.
    bool askAuthorizationToQuit();

private:
    // Owned through the window's content; deleted with the window.
    MainComponent* mainComponent = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainAppWindow)
};
