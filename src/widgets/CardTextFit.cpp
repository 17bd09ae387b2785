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

// Float sums of a name's advances drift by far less than this many pixels from the toolkit's.
constexpr float nameRoundingAllowance = 0.25f;
} // namespace

struct CardTextFit::Fonts
{
    Fonts()
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

    // The width the name label draws its text in, inside its border.
    float getNameAreaWidth()
    {
        return (float) lookAndFeel.getLabelBorderSize (nameLabel)
            .subtractedFrom (nameLabel.getLocalBounds())
            .getWidth();
    }

    CustomLookAndFeel lookAndFeel;
    juce::Label adviceLabel, nameLabel;
};

CardTextFit::CardTextFit() = default;

CardTextFit::CardTextFit (const juce::File& file, std::function<juce::String()> describe)
    : recordFile (file)
    , describeKey (std::move (describe))
{
}

CardTextFit::~CardTextFit() = default;

CardTextFit::Fonts& CardTextFit::getFonts()
{
    if (fonts == nullptr)
        fonts = std::make_unique<Fonts>();

    return *fonts;
}

bool CardTextFit::fitsAdviceLabel (const juce::String& text)
{
    if (surelyFitsAdviceLabel (text))
        return true;

    auto& f = getFonts();
    const ScopedDefaultLookAndFeel scopedLookAndFeel (f.lookAndFeel);
    f.adviceLabel.setText (text, juce::dontSendNotification);
    return CustomLookAndFeel::wrappedTextFits (f.adviceLabel, f.lookAndFeel.getLabelFont (f.adviceLabel));
}

bool CardTextFit::surelyFitsAdviceLabel (const juce::String& text)
{
    auto& bound = getAdviceBound();
    // A bound made from the fonts measures the characters a text brings first.
    std::optional<ScopedDefaultLookAndFeel> scopedLookAndFeel;

    if (fonts != nullptr)
        scopedLookAndFeel.emplace (fonts->lookAndFeel);

    const auto lines = bound.countLinesAtMost (text);
    return lines && *lines <= adviceLinesThatFit;
}

bool CardTextFit::surelyFitsAdviceLabel (const juce::uint8* text, size_t length)
{
    auto& bound = getAdviceBound();
    std::optional<ScopedDefaultLookAndFeel> scopedLookAndFeel;

    if (fonts != nullptr)
        scopedLookAndFeel.emplace (fonts->lookAndFeel);

    return bound.surelyFitsIn (text, length, adviceLinesThatFit);
}

WrappedTextBound& CardTextFit::getAdviceBound()
{
    useRecord();

    if (adviceBound == nullptr)
    {
        auto& f = getFonts();
        const ScopedDefaultLookAndFeel scopedLookAndFeel (f.lookAndFeel);
        adviceBound = std::make_unique<WrappedTextBound> (
            f.lookAndFeel.getLabelFont (f.adviceLabel), SetTextRules::allowedCharacters,
            CustomLookAndFeel::getWrappedLineWidth (f.adviceLabel));
        adviceLinesThatFit = countLinesThatFit();
    }

    return *adviceBound;
}

// Whether a text fits the label depends only on its number of lines, as every line lies within the line
// width and the lines are centred as a block: the label is asked with one, two, ... lines of wide words,
// each too wide to share a line with another. 0 when a probe does not lay out as intended.
int CardTextFit::countLinesThatFit()
{
    auto& f = getFonts();
    const ScopedDefaultLookAndFeel scopedLookAndFeel (f.lookAndFeel);
    const auto font = f.lookAndFeel.getLabelFont (f.adviceLabel);
    const auto lineWidth = CustomLookAndFeel::getWrappedLineWidth (f.adviceLabel);
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
        f.adviceLabel.setText (words.joinIntoString (" "), juce::dontSendNotification);
        auto glyphs = CustomLookAndFeel::layOutWrappedText (f.adviceLabel, font);
        std::set<float> baselines;

        for (int i = 0; i < glyphs.getNumGlyphs(); ++i)
            baselines.insert (glyphs.getGlyph (i).getBaselineY());

        if ((int) baselines.size() != lines)
            return 0;

        if (!CustomLookAndFeel::wrappedTextFits (f.adviceLabel, font))
            return lines - 1;
    }

    return 0;
}

void CardTextFit::useRecord()
{
    if (recordUsed || recordFile == juce::File())
        return;

    recordUsed = true;
    const auto key = describeKey();
    auto record = CardMeasureRecord::read (recordFile, key);

    if (!record)
    {
        record = measureRecord();
        // Not written, it is measured again next time.
        record->write (recordFile, key);
    }

    adviceBound = std::make_unique<WrappedTextBound> (record->adviceWidths, record->adviceLineWidth);
    adviceLinesThatFit = record->adviceLinesThatFit;
    nameWidths = record->nameWidths;
    nameAreaWidth = record->nameAreaWidth;
}

CardMeasureRecord CardTextFit::measureRecord()
{
    auto& f = getFonts();
    const ScopedDefaultLookAndFeel scopedLookAndFeel (f.lookAndFeel);
    CardMeasureRecord record;

    record.adviceLineWidth = CustomLookAndFeel::getWrappedLineWidth (f.adviceLabel);
    WrappedTextBound advice (f.lookAndFeel.getLabelFont (f.adviceLabel), SetTextRules::allowedCharacters,
                             record.adviceLineWidth);
    advice.measureAllCharacters();
    record.adviceWidths = advice.getWidths();
    record.adviceLinesThatFit = countLinesThatFit();

    // The name is measured as one line: its characters' widest advances, kerning included, add up to no less
    // than its width.
    record.nameAreaWidth = f.getNameAreaWidth();
    WrappedTextBound name (f.lookAndFeel.getLabelFont (f.nameLabel), SetTextRules::allowedCharacters,
                           record.nameAreaWidth);
    name.measureAllCharacters();
    record.nameWidths = name.getWidths();
    return record;
}

bool CardTextFit::surelyFitsNameLine (const juce::String& name) const
{
    float width = nameRoundingAllowance;

    for (auto p = name.getCharPointer(); !p.isEmpty();)
    {
        const auto c = (juce::uint32) p.getAndAdvance();

        if (c >= nameWidths.size() || nameWidths[c] <= 0.0f)
            return false;

        width += nameWidths[c];
    }

    return width <= nameAreaWidth;
}

bool CardTextFit::fitsNameLine (const juce::String& name)
{
    useRecord();

    if (surelyFitsNameLine (name))
        return true;

    // The label draws its text fitted into its area inside the border, squeezing what is wider.
    auto& f = getFonts();
    const ScopedDefaultLookAndFeel scopedLookAndFeel (f.lookAndFeel);
    return f.lookAndFeel.getLabelFont (f.nameLabel).getStringWidthFloat (name) <= f.getNameAreaWidth();
}

bool CardTextFit::fitsAdviceLineWidth (const juce::String& word)
{
    // A word wider than a line is broken inside itself: its glyphs then stand on more than one line.
    auto& f = getFonts();
    const ScopedDefaultLookAndFeel scopedLookAndFeel (f.lookAndFeel);
    f.adviceLabel.setText (word, juce::dontSendNotification);
    auto glyphs =
        CustomLookAndFeel::layOutWrappedText (f.adviceLabel, f.lookAndFeel.getLabelFont (f.adviceLabel));

    for (int i = 1; i < glyphs.getNumGlyphs(); ++i)
        if (glyphs.getGlyph (i).getBaselineY() != glyphs.getGlyph (0).getBaselineY())
            return false;

    return true;
}

bool CardTextFit::isPaletteColour (juce::Colour colour)
{
    if (colourSelector == nullptr)
        colourSelector = std::make_unique<SpecialColourSelector>();

    colourSelector->setColour (colour);
    return colourSelector->getColour() == colour;
}
