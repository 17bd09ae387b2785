#include "widgets/SpecialColourSelector.h"

namespace
{
constexpr int squareMargin = 3;

// Full-brightness hues i / 32 of the colour circle, from red round to red, except entry 3: orange, the
// colour of a new advice set, is one click away. The values are written out because set files store them
// exactly, and the toolkit's hue conversion has rounded the halfway entry 8 differently across versions.
constexpr juce::uint32 paletteArgb[SpecialColourSelector::numColours] = {
    0xffff0000, 0xffff3000, 0xffff6000, 0xffffa500, 0xffffbf00, 0xffffef00, 0xffdfff00, 0xffafff00,
    0xff7fff00, 0xff50ff00, 0xff20ff00, 0xff00ff10, 0xff00ff40, 0xff00ff70, 0xff00ff9f, 0xff00ffcf,
    0xff00ffff, 0xff00cfff, 0xff009fff, 0xff0070ff, 0xff0040ff, 0xff0010ff, 0xff2000ff, 0xff5000ff,
    0xff8000ff, 0xffaf00ff, 0xffdf00ff, 0xffff00ef, 0xffff00bf, 0xffff008f, 0xffff0060, 0xffff0030,
};
} // namespace

SpecialColourSelector::SpecialColourSelector()
{
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = juce::Colour (paletteArgb[i]);
}

SpecialColourSelector::~SpecialColourSelector() = default;

juce::Colour SpecialColourSelector::getColour() const
{
    return palette[(size_t) selectedIndex];
}

void SpecialColourSelector::setColour (juce::Colour colour)
{
    selectedIndex = 0;

    for (int i = 0; i < numColours; ++i)
        if (palette[(size_t) i] == colour)
            selectedIndex = i;
}

SpecialColourSelector::Grid SpecialColourSelector::getGrid() const
{
    const auto width = getWidth();
    const auto height = getHeight();

    // Comparing with four cells' width favours the height for the wide, low bounds the editor gives.
    const auto cellSize =
        height / numRows < numRows * (width / numColumns) ? height / numRows : width / numColumns;

    return { cellSize, (width - numColumns * cellSize) / 2, (height - numRows * cellSize) / 2 };
}

void SpecialColourSelector::paint (juce::Graphics& g)
{
    const auto grid = getGrid();

    if (grid.cellSize <= 0)
        return;

    for (int column = 0; column < numColumns; ++column)
    {
        for (int row = 0; row < numRows; ++row)
        {
            const auto index = column + numColumns * row;
            const juce::Rectangle<int> square (grid.left + column * grid.cellSize + squareMargin,
                                               grid.top + row * grid.cellSize + squareMargin,
                                               grid.cellSize - 2 * squareMargin,
                                               grid.cellSize - 2 * squareMargin);

            g.setColour (palette[(size_t) index]);
            g.fillRect (square);

            if (index == selectedIndex)
            {
                g.setColour (juce::Colours::white);
                g.drawRect (square, 1);
            }
        }
    }
}

void SpecialColourSelector::mouseDown (const juce::MouseEvent& event)
{
    const auto grid = getGrid();
    const auto x = event.x;
    const auto y = event.y;

    if (x < grid.left || x >= grid.left + numColumns * grid.cellSize || y < grid.top ||
        y >= grid.top + numRows * grid.cellSize)
        return;

    selectedIndex = (x - grid.left) / grid.cellSize + numColumns * ((y - grid.top) / grid.cellSize);
    sendChangeMessage();
    repaint();
}
