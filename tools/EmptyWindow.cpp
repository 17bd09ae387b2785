// The yardstick of `make startup`: a window of the program's size and kind (a DocumentWindow with a native
// title bar, 500 x 350, not resizable) whose content only fills a colour and writes one line, built with the
// same toolkit modules and flags as the program. The line is there so that its first frame is told from the
// X server's blank window exactly as the program's is: by pixels of more than one colour.
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
class FilledComponent final : public juce::Component
{
public:
    FilledComponent() { setSize (500, 350); }

    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colours::darkslateblue);
        g.setColour (juce::Colours::white);
        g.setFont (16.0f);
        g.drawText ("An empty window", getLocalBounds(), juce::Justification::centred);
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FilledComponent)
};

class EmptyWindow final : public juce::DocumentWindow
{
public:
    EmptyWindow()
        : juce::DocumentWindow ("EmptyWindow", juce::Colours::darkgrey,
                                juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton,
                                true)
    {
        setResizable (false, false);
        setUsingNativeTitleBar (true);
        setContentOwned (std::make_unique<FilledComponent>().release(), true);
        centreWithSize (getWidth(), getHeight());
        setVisible (true);
    }

    void closeButtonPressed() override { juce::JUCEApplication::getInstance()->systemRequestedQuit(); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EmptyWindow)
};

class EmptyWindowApplication final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "EmptyWindow"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String&) override { window = std::make_unique<EmptyWindow>(); }
    void shutdown() override { window.reset(); }

private:
    std::unique_ptr<EmptyWindow> window;
};
} // namespace

START_JUCE_APPLICATION (EmptyWindowApplication)
