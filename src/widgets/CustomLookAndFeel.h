#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The program's dark style for the toolkit's standard widgets: black fields, white and light grey
// texts, grey outlines and orange accents. Installed as the default look-and-feel by the main screen.
class CustomLookAndFeel final : public juce::LookAndFeel_V2
{
public:
    // The typeface of the program's own texts; drawn in DejaVu Sans where it is not installed.
    static constexpr const char* programTypefaceName = "Verdana";
    static juce::Font programFont (float height, int styleFlags);

    CustomLookAndFeel();
    ~CustomLookAndFeel() override;

    // false: text buttons get an orange rounded outline; true: a square grey one.
    void setTypeButton (bool squareGreyOutline);

    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    void drawAlertBox (juce::Graphics&, juce::AlertWindow&, const juce::Rectangle<int>& textArea,
                       juce::TextLayout&) override;
    void fillTextEditorBackground (juce::Graphics&, int width, int height, juce::TextEditor&) override;
    void drawTextEditorOutline (juce::Graphics&, int width, int height, juce::TextEditor&) override;
    juce::Font getPopupMenuFont() override;
    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                    int& idealWidth, int& idealHeight) override;
    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                       int buttonW, int buttonH, juce::ComboBox&) override;
    void drawLabel (juce::Graphics&, juce::Label&) override;
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font&) override;
    juce::Button* createFileBrowserGoUpButton() override;

    // The word-wrapped layout of a label whose text must never be squeezed (minimum horizontal scale 1.0),
    // in label coordinates, in that font.
    static juce::GlyphArrangement layOutWrappedText (const juce::Label&, const juce::Font&);

    // The width of the lines that layout wraps the label's text into.
    static float getWrappedLineWidth (const juce::Label&);

    // Whether the label shows its text whole, wrapped in that font: the one measure of what fits, for
    // the drawing and for the checks of a set's texts.
    static bool wrappedTextFits (const juce::Label&, const juce::Font&);

    // What drawLabel shows of a text too long for its label: wrapped in a smaller font, down to this share
    // of the label's, and past that cut after the last word that fits, with an ellipsis.
    static constexpr float smallestWrappedTextScale = 0.75f;
    static juce::GlyphArrangement layOutWrappedTextToFit (const juce::Label&, const juce::Font&);

private:
    bool typeButton = false;
    const bool verdanaInstalled;
    const bool substituteInstalled;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CustomLookAndFeel)
};
