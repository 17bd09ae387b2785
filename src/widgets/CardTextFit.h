#pragma once

#include "advice/CardTextMeasure.h"
#include "widgets/CardMeasureRecord.h"
#include "widgets/CustomLookAndFeel.h"
#include "widgets/SpecialColourSelector.h"
#include "widgets/WrappedTextBound.h"

#include <functional>

// Measures texts with the main screen's labels as CardLayout places them, in the program's look, and
// colours with the set editor's palette. Needs the toolkit's GUI side initialised (fonts), but no display.
// Nothing is made before it is needed: the look-and-feel, whose making scans the installed fonts, comes with
// the first text measured.
class CardTextFit final : public CardTextMeasure
{
public:
    // Measures with the fonts.
    CardTextFit();

    // Tells texts and names that surely fit from the record in recordFile, made for describeKey()'s key, and
    // measures the others with the fonts. A record missing or of another key is measured and written anew
    // at the first need; a record that cannot be written only leaves the next measure as slow. No file: no
    // record.
    explicit CardTextFit (const juce::File& recordFile,
                          std::function<juce::String()> describeKey = CardMeasureRecord::describeCurrentKey);

    ~CardTextFit() override;

    bool fitsAdviceLabel (const juce::String& text) override;
    bool surelyFitsAdviceLabel (const juce::uint8* text, size_t length) override;
    bool fitsNameLine (const juce::String& name) override;
    bool fitsAdviceLineWidth (const juce::String& word) override;
    bool isPaletteColour (juce::Colour colour) override;

    // Whether it has made its look-and-feel, through which every font it measures with is loaded.
    bool hasLoadedFonts() const { return fonts != nullptr; }

private:
    // The labels in the program's look.
    struct Fonts;

    Fonts& getFonts();

    // Texts that surely fit are told by a bound on their lines (made at the first advice measured, or read
    // from the record); the others are laid out as the label lays them out.
    bool surelyFitsAdviceLabel (const juce::String& text);
    WrappedTextBound& getAdviceBound();
    int countLinesThatFit();

    // Takes the bounds from the record, measured and written anew when it does not hold.
    void useRecord();
    CardMeasureRecord measureRecord();
    bool surelyFitsNameLine (const juce::String& name) const;

    const juce::File recordFile{};
    const std::function<juce::String()> describeKey{};
    bool recordUsed = false;

    std::unique_ptr<Fonts> fonts;
    std::unique_ptr<SpecialColourSelector> colourSelector;
    std::unique_ptr<WrappedTextBound> adviceBound;
    int adviceLinesThatFit = 0;
    // From the record only: the widest advance of each character in the name's font, 0 where unknown.
    WrappedTextBound::Widths nameWidths{};
    float nameAreaWidth = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CardTextFit)
};
