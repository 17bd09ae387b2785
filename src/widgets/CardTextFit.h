#pragma once

#include "advice/CardTextMeasure.h"
#include "widgets/CustomLookAndFeel.h"
#include "widgets/SpecialColourSelector.h"
#include "widgets/WrappedTextBound.h"

// Measures texts with the main screen's labels as CardLayout places them, in the program's look, and
// colours with the set editor's palette. Needs the toolkit's GUI side initialised (fonts), but no display.
class CardTextFit final : public CardTextMeasure
{
public:
    CardTextFit();
    ~CardTextFit() override;

    bool fitsAdviceLabel (const juce::String& text) override;
    bool surelyFitsAdviceLabel (const juce::uint8* text, size_t length) override;
    bool fitsNameLine (const juce::String& name) override;
    bool fitsAdviceLineWidth (const juce::String& word) override;
    bool isPaletteColour (juce::Colour colour) override;

private:
    // Texts that surely fit are told by a bound on their lines (made at the first advice measured); the
    // others are laid out as the label lays them out.
    bool surelyFitsAdviceLabel (const juce::String& text);
    WrappedTextBound& getAdviceBound();
    int countLinesThatFit();

    CustomLookAndFeel lookAndFeel;
    juce::Label adviceLabel, nameLabel;
    SpecialColourSelector colourSelector;
    std::unique_ptr<WrappedTextBound> adviceBound;
    int adviceLinesThatFit = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CardTextFit)
};
