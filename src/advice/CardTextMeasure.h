#pragma once

#include <juce_graphics/juce_graphics.h>

// How the program shows a set: whether its texts fit the main screen's labels and whether its colour is
// one the set editor offers. The widgets measure it; SetChecker asks.
class CardTextMeasure
{
public:
    virtual ~CardTextMeasure() = default;

    // Whether the main screen shows the text whole in its advice label.
    virtual bool fitsAdviceLabel (const juce::String& text) = 0;

    // Whether a text whose characters all lie below U+0100, given one byte each, surely shows whole in the
    // advice label, told without laying it out: false when only fitsAdviceLabel can tell.
    virtual bool surelyFitsAdviceLabel (const juce::uint8* text, size_t length) = 0;

    // Whether the main screen shows the name unsqueezed on its name label.
    virtual bool fitsNameLine (const juce::String& name) = 0;

    // Whether the word stands on one line of the advice label, unbroken.
    virtual bool fitsAdviceLineWidth (const juce::String& word) = 0;

    // Whether the set editor's colour selector holds exactly this colour.
    virtual bool isPaletteColour (juce::Colour colour) = 0;
};
