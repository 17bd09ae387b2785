#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The About panel: a dark lined sheet over the whole main screen with the credits in the interface
// language and four web links. A click anywhere outside the links sends exitMessage to the main screen,
// which hides it.
class AboutComponent final
    : public juce::Component
    , public juce::ActionBroadcaster
{
public:
    static constexpr const char* exitMessage = "AboutExit";

    AboutComponent();
    ~AboutComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;
    void visibilityChanged() override;

    // The four paragraphs of credits: French for 0, English for any other value.
    static juce::String getCreditsText (int language);

    // The program's help page shipped beside it, in the interface language, as the home link gives it.
    static juce::URL getHomeAddress (int language);

    static juce::Font getTextFont();

    // Where the credits start and how wide their lines may be, for a panel of the given width.
    static constexpr int textX = 50;
    static constexpr int firstBaselineY = 40;
    static int getTextWidth (int panelWidth) { return panelWidth - 2 * textX; }

    // The language of the text, written by the main screen before it shows the panel.
    int language = 1;

    std::unique_ptr<juce::HyperlinkButton> linkCredit2;
    std::unique_ptr<juce::HyperlinkButton> linkCredit1;
    std::unique_ptr<juce::HyperlinkButton> linkHome;
    std::unique_ptr<juce::HyperlinkButton> linkCredit3;

private:
    std::unique_ptr<juce::HyperlinkButton> makeLink (const juce::String& identifier,
                                                     const juce::URL& address);
    void updateHomeLink();
    int getLinkWidth (const juce::HyperlinkButton& link, int preferredWidth) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutComponent)
};
