#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

// A palette of 32 colours in 8 columns and 4 rows; the selected one is framed in white. A click on the
// grid selects a colour and sends a change message; the listener reads the choice with getColour.
class SpecialColourSelector final
    : public juce::Component
    , public juce::ChangeBroadcaster
{
public:
    static constexpr int numColumns = 8;
    static constexpr int numRows = 4;
    static constexpr int numColours = numColumns * numRows;

    SpecialColourSelector();
    ~SpecialColourSelector() override;

    juce::Colour getColour() const;
    // Selects the palette entry equal to the colour, or the first entry when none is; sends no message.
    using juce::Component::setColour;
    void setColour (juce::Colour colour);

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    struct Grid
    {
        int cellSize;
        int left;
        int top;
    };

    Grid getGrid() const;

    std::array<juce::Colour, numColours> palette;
    int selectedIndex = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpecialColourSelector)
};
