#include "app/MainAppWindow.h"

#include "app/AppIcon.h"
#include "app/FixedWindowSize.h"
#include "main/MainComponent.h"

namespace
{
constexpr int minimiseAndCloseButtons =
    juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton;
} // namespace

MainAppWindow::MainAppWindow()
    : juce::DocumentWindow ("Musewheeler", juce::Colours::darkgrey, minimiseAndCloseButtons, true)
{
    setResizable (false, false);
    setUsingNativeTitleBar (true);
    setIcon (AppIcon::createImage (64));
    auto content = std::make_unique<MainComponent>();
    mainComponent = content.get();
    setContentOwned (content.release(), true);
    centreWithSize (getWidth(), getHeight());

    // Before the window shows, so that the window manager never offers a resize or a maximise.
    FixedWindowSize::hold (*this);

    setVisible (true);
}

void MainAppWindow::closeButtonPressed()
{
    // The application asks the main screen before it quits, for the close button as for the system.
    juce::JUCEApplication::getInstance()->systemRequestedQuit();
}

void MainAppWindow::focusGained (FocusChangeType)
{
    // The window takes the focus itself when the window system first gives it, as nothing inside could
    // hold it before the window was on screen; the keys are for the main screen or its open panel.
    mainComponent->takeKeyboardFocus();
}

bool MainAppWindow::askAuthorizationToQuit()
{
    return mainComponent->askAuthorizationToQuit();
}
