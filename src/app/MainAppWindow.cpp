#include "app/MainAppWindow.h"

namespace
{
// Stands in for the main screen until it exists: a black field of the program's size.
class PlaceholderContent final : public juce::Component
{
public:
    PlaceholderContent() { setSize (500, 350); }

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::black); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PlaceholderContent)
};

constexpr int minimiseAndCloseButtons =
    juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton;
} // namespace

MainAppWindow::MainAppWindow()
    : juce::DocumentWindow ("Musewheeler", juce::Colours::darkgrey, minimiseAndCloseButtons, true)
{
    setResizable (false, false);
    setUsingNativeTitleBar (true);
    setContentOwned (new PlaceholderContent(), true);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);
}

void MainAppWindow::closeButtonPressed()
{
    juce::JUCEApplication::getInstance()->systemRequestedQuit();
}
