#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The program's one window: fixed size, native title bar, owning the main screen as its content.
class MainAppWindow final : public juce::DocumentWindow
{
public:
    MainAppWindow();
    ~MainAppWindow() override = default;

    void closeButtonPressed() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainAppWindow)
};
