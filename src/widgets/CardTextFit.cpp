#include "widgets/CardTextFit.h"

#include "widgets/CardLayout.h"

namespace
{
// Measures with the program's look-and-feel as the default one, as fonts find their typeface through it.
struct ScopedDefaultLookAndFeel
{
    explicit ScopedDefaultLookAndFeel (juce::LookAndFeel& lookAndFeel)
        : previous (juce::LookAndFeel::getDefaultLookAndFeel())
    {
        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
    }

    ~ScopedDefaultLookAndFeel() { juce::LookAndFeel::setDefaultLookAndFeel (&previous); }

    juce::LookAndFeel& previous;
};
} // namespace

CardTextFit::CardTextFit()
{
    // The advice label wraps its text, centred, and never squeezes it.
    adviceLabel.setBounds (CardLayout::adviceLabel().withZeroOrigin());
    adviceLabel.setJustificationType (juce::Justification::centred);
    adviceLabel.setMinimumHorizontalScale (1.0f);
    adviceLabel.setFont (CardLayout::adviceFont());

    // The name label is bold, and squeezes a name wider than its text area.
    nameLabel.setBounds (CardLayout::nameLabel().withZeroOrigin());
    nameLabel.setJustificationType (juce::Justification::centredTop);
    nameLabel.setFont (CardLayout::nameFont());
}

CardTextFit::~CardTextFit() = default;

bool CardTextFit::fitsAdviceLabel (const juce::String& text)
{
    const ScopedDefaultLookAndFeel scopedLookAndFeel (lookAndFeel);
    adviceLabel.setText (text, juce::dontSendNotification);
    return CustomLookAndFeel::wrappedTextFits (adviceLabel, lookAndFeel.getLabelFont (adviceLabel));
}

bool CardTextFit::fitsNameLine (const juce::String& name)
{
    // The label draws its text fitted into its area inside the border, squeezing what is wider.
    const ScopedDefaultLookAndFeel scopedLookAndFeel (lookAndFeel);
    const auto area = lookAndFeel.getLabelBorderSize (nameLabel).subtractedFrom (nameLabel.getLocalBounds());
    return lookAndFeel.getLabelFont (nameLabel).getStringWidthFloat (name) <= (float) area.getWidth();
}

bool CardTextFit::fitsAdviceLineWidth (const juce::String& word)
{
    // A word wider than a line is broken inside itself: its glyphs then stand on more than one line.
    const ScopedDefaultLookAndFeel scopedLookAndFeel (lookAndFeel);
    adviceLabel.setText (word, juce::dontSendNotification);
    auto glyphs = CustomLookAndFeel::layOutWrappedText (adviceLabel, lookAndFeel.getLabelFont (adviceLabel));

    for (int i = 1; i < glyphs.getNumGlyphs(); ++i)
        if (glyphs.getGlyph (i).getBaselineY() != glyphs.getGlyph (0).getBaselineY())
            return false;

    return true;
}

bool CardTextFit::isPaletteColour (juce::Colour colour)
{
    colourSelector.setColour (colour);
    return colourSelector.getColour() == colour;
}
