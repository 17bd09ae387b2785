#include "widgets/CardTextFit.h"

#include "advice/SetTextRules.h"
#include "widgets/CardLayout.h"

#include <set>

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

    if (surelyFitsAdviceLabel (text))
        return true;

    adviceLabel.setText (text, juce::dontSendNotification);
    return CustomLookAndFeel::wrappedTextFits (adviceLabel, lookAndFeel.getLabelFont (adviceLabel));
}

bool CardTextFit::surelyFitsAdviceLabel (const juce::String& text)
{
    const auto lines = getAdviceBound().countLinesAtMost (text);
    return lines && *lines <= adviceLinesThatFit;
}

bool CardTextFit::surelyFitsAdviceLabel (const juce::uint8* text, size_t length)
{
    const ScopedDefaultLookAndFeel scopedLookAndFeel (lookAndFeel);
    auto& bound = getAdviceBound();
    return bound.surelyFitsIn (text, length, adviceLinesThatFit);
}

WrappedTextBound& CardTextFit::getAdviceBound()
{
    if (adviceBound == nullptr)
    {
        adviceBound = std::make_unique<WrappedTextBound> (
            lookAndFeel.getLabelFont (adviceLabel), SetTextRules::allowedCharacters,
            CustomLookAndFeel::getWrappedLineWidth (adviceLabel));
        adviceLinesThatFit = countLinesThatFit();
    }

    return *adviceBound;
}

// Whether a text fits the label depends only on its number of lines, as every line lies within the line
// width and the lines are centred as a block: the label is asked with one, two, ... lines of wide words,
// each too wide to share a line with another. 0 when a probe does not lay out as intended.
int CardTextFit::countLinesThatFit()
{
    const auto font = lookAndFeel.getLabelFont (adviceLabel);
    const auto lineWidth = CustomLookAndFeel::getWrappedLineWidth (adviceLabel);
    juce::String word ("W");

    while (font.getStringWidthFloat (word + "W") < lineWidth * 0.9f)
        word << "W";

    if (font.getStringWidthFloat (word) <= lineWidth * 0.5f)
        return 0;

    constexpr int mostLinesProbed = 64;
    juce::StringArray words;

    for (int lines = 1; lines <= mostLinesProbed; ++lines)
    {
        words.add (word);
        adviceLabel.setText (words.joinIntoString (" "), juce::dontSendNotification);
        auto glyphs = CustomLookAndFeel::layOutWrappedText (adviceLabel, font);
        std::set<float> baselines;

        for (int i = 0; i < glyphs.getNumGlyphs(); ++i)
            baselines.insert (glyphs.getGlyph (i).getBaselineY());

        if ((int) baselines.size() != lines)
            return 0;

        if (!CustomLookAndFeel::wrappedTextFits (adviceLabel, font))
            return lines - 1;
    }

    return 0;
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
