#include "widgets/SpecialColourSelector.h"

namespace
{
constexpr int squareMargin = 3;
constexpr int orangeIndex = 3;
} // namespace

SpecialColourSelector::SpecialColourSelector()
{
    for (int i = 0; i < numColours; ++i)
        palette[(size_t) i] = juce::Colours::red.withHue ((float) i / (float) numColours);

    // Orange is the colour of a new advice set, so it must be one click away.
    palette[(size_t) orangeIndex] = juce::Colours::orange;
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
