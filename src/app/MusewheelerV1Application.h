#pragma once

#include "app/MainAppWindow.h"
#include "widgets/QueuedInputPump.h"
#include "widgets/WineRepaintPump.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The program's lifetime: creates the one window on start and deletes it on shutdown.
class MusewheelerV1Application final : public juce::JUCEApplication
{
public:
    MusewheelerV1Application() = default;
    ~MusewheelerV1Application() override;

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;
    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;
    void systemRequestedQuit() override;

private:
    std::unique_ptr<WineRepaintPump> repaintPump;
    std::unique_ptr<QueuedInputPump> inputPump;
    std::unique_ptr<MainAppWindow> mainWindow;
    bool askingToQuit = false;
};
