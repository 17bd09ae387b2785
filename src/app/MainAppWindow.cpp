#include "app/MainAppWindow.h"

#include "app/AppIcon.h"
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
    setVisible (true);
}

void MainAppWindow::closeButtonPressed()
{
    if (mainComponent->askAuthorizationToQuit())
        juce::JUCEApplication::getInstance()->systemRequestedQuit();
}
