#include "widgets/SpecialColourSelector.h"

#include "TestHelpers.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;

namespace
{
const juce::uint32 paletteArgb[] = {
    0xFFFF0000, 0xFFFF3000, 0xFFFF6000, 0xFFFFA500, 0xFFFFBF00, 0xFFFFEF00, 0xFFDFFF00, 0xFFAFFF00,
    0xFF7FFF00, 0xFF50FF00, 0xFF20FF00, 0xFF00FF10, 0xFF00FF40, 0xFF00FF70, 0xFF00FF9F, 0xFF00FFCF,
    0xFF00FFFF, 0xFF00CFFF, 0xFF009FFF, 0xFF0070FF, 0xFF0040FF, 0xFF0010FF, 0xFF2000FF, 0xFF5000FF,
    0xFF8000FF, 0xFFAF00FF, 0xFFDF00FF, 0xFFFF00EF, 0xFFFF00BF, 0xFFFF008F, 0xFFFF0060, 0xFFFF0030,
};

// The set editor's bounds: 22-pixel cells, the grid starting 62 pixels from the left and 1 from the top.
class SpecialColourSelectorTest : public ::testing::Test
{
protected:
    static constexpr int cell = 22;
    static constexpr int left = 62;
    static constexpr int top = 1;

    void SetUp() override { selector.setBounds (0, 0, 300, 90); }

    static juce::Point<int> squareCorner (int index)
    {
        return { left + (index % 8) * cell + 3, top + (index / 8) * cell + 3 };
    }

    int clickAt (int x, int y)
    {
        selector.mouseDown (wt::mouseEvent (selector, { (float) x, (float) y }));
        testing_helpers::deliverMessages();
        const auto count = changes.count;
        changes.count = 0;
        return count;
    }

    SpecialColourSelector selector;
    wt::ChangeCounter changes{ selector };
};
} // namespace

TEST_F (SpecialColourSelectorTest, paletteHoldsThirtyTwoHuesWithOrangeInFourthPlace)
{
    for (int i = 0; i < 32; ++i)
    {
        selector.setColour (juce::Colour (paletteArgb[i]));
        EXPECT_EQ (selector.getColour().getARGB(), paletteArgb[i]) << i;
    }

    // Hues of i / 32 at full saturation and brightness, as the toolkit converts them give or take one step.
    for (int i = 0; i < 32; ++i)
    {
        if (i == 3)
            continue;

        const auto hue = juce::Colours::red.withHue ((float) i / 32.0f);
        const juce::Colour entry (paletteArgb[i]);
        EXPECT_LE (std::abs (hue.getRed() - entry.getRed()) + std::abs (hue.getGreen() - entry.getGreen()) +
                       std::abs (hue.getBlue() - entry.getBlue()),
                   1)
            << i;
    }

    // The hue that orange replaced is not selectable.
    selector.setColour (juce::Colour (0xFFFF8F00));
    EXPECT_EQ (selector.getColour(), juce::Colours::red);

    selector.setColour (juce::Colours::orange);
    EXPECT_EQ (selector.getColour(), juce::Colours::orange);

    // Exact equality, alpha included.
    selector.setColour (juce::Colours::orange.withAlpha (0.5f));
    EXPECT_EQ (selector.getColour(), juce::Colours::red);
}

TEST_F (SpecialColourSelectorTest, drawsSixteenPixelSquaresInRowsOfEightAndFramesTheSelectedOne)
{
    selector.setColour (juce::Colours::orange);
    const auto image = wt::snapshot (selector);

    for (int i = 0; i < 32; ++i)
    {
        const auto corner = squareCorner (i);
        SCOPED_TRACE (i);
        const juce::Colour expected (paletteArgb[i]);

        // The frame of the selected square replaces its outer ring of pixels.
        EXPECT_EQ (image.getPixelAt (corner.x + 8, corner.y + 8), expected);
        EXPECT_EQ (image.getPixelAt (corner.x, corner.y), i == 3 ? juce::Colours::white : expected);
        EXPECT_EQ (image.getPixelAt (corner.x + 15, corner.y + 15), i == 3 ? juce::Colours::white : expected);
        EXPECT_EQ (image.getPixelAt (corner.x + 1, corner.y + 1), expected);

        // Three clear pixels around each square.
        EXPECT_EQ (image.getPixelAt (corner.x - 1, corner.y + 8).getAlpha(), 0);
        EXPECT_EQ (image.getPixelAt (corner.x + 16, corner.y + 8).getAlpha(), 0);
        EXPECT_EQ (image.getPixelAt (corner.x + 8, corner.y - 1).getAlpha(), 0);
        EXPECT_EQ (image.getPixelAt (corner.x + 8, corner.y + 16).getAlpha(), 0);
    }

    EXPECT_EQ (wt::countPixels (image, { 0, 0, left + 3, 90 }, wt::isPainted), 0);
    EXPECT_EQ (wt::countPixels (image, { left + 8 * cell - 3, 0, 300, 90 }, wt::isPainted), 0);
}

TEST_F (SpecialColourSelectorTest, aClickAnywhereInACellSelectsItMarginIncluded)
{
    const std::tuple<int, int, int> clicks[] = {
        { 62, 1, 0 },    // the cell's first pixel, in the margin
        { 83, 12, 0 },   // its last column, between two squares
        { 84, 12, 1 },   // the next cell's margin
        { 150, 30, 12 }, // second row
        { 237, 88, 31 }, // the last pixel of the grid
        { 62 + 66, 1 + 44, 19 },
    };

    for (const auto& [x, y, index] : clicks)
    {
        SCOPED_TRACE (juce::String (x) + "," + juce::String (y));
        EXPECT_EQ (clickAt (x, y), 1);
        EXPECT_EQ (selector.getColour().getARGB(), paletteArgb[index]);
    }

    // The selected square is clicked again: still a message.
    EXPECT_EQ (clickAt (62 + 66, 1 + 44), 1);
}

TEST_F (SpecialColourSelectorTest, clicksOutsideTheGridChangeNothing)
{
    clickAt (150, 30);
    const auto chosen = selector.getColour();

    for (const auto& point :
         { juce::Point<int> (61, 30), { 238, 30 }, { 150, 0 }, { 150, 89 }, { 10, 10 }, { 290, 80 } })
    {
        EXPECT_EQ (clickAt (point.x, point.y), 0) << point.toString();
        EXPECT_EQ (selector.getColour(), chosen);
    }
}

TEST_F (SpecialColourSelectorTest, settingTheColourSendsNoMessage)
{
    selector.setColour (juce::Colours::orange);
    selector.setColour (juce::Colour (0xFF123456));
    testing_helpers::deliverMessages();
    EXPECT_EQ (changes.count, 0);
    EXPECT_EQ (selector.getColour(), juce::Colours::red);
}

TEST_F (SpecialColourSelectorTest, narrowBoundsTakeTheCellFromTheWidth)
{
    // 4 x (80 / 8) = 40 is less than 400 / 4: cells of 10 pixels, the grid centred vertically.
    selector.setBounds (0, 0, 80, 400);
    const auto image = wt::snapshot (selector);

    EXPECT_EQ (image.getPixelAt (4, 184), juce::Colour (paletteArgb[0]));
    EXPECT_EQ (image.getPixelAt (3, 183), juce::Colours::white);
    EXPECT_EQ (image.getPixelAt (74, 214), juce::Colour (paletteArgb[31]));
    EXPECT_EQ (wt::countPixels (image, { 0, 0, 80, 180 }, wt::isPainted), 0);

    EXPECT_EQ (clickAt (75, 219), 1);
    EXPECT_EQ (selector.getColour().getARGB(), paletteArgb[31]);
    EXPECT_EQ (clickAt (40, 179), 0);
}

TEST_F (SpecialColourSelectorTest, belowEightPixelsWideNothingIsDrawnAndNoClickCounts)
{
    selector.setBounds (0, 0, 7, 90);
    const auto image = wt::snapshot (selector);
    EXPECT_EQ (wt::countPixels (image, image.getBounds(), wt::isPainted), 0);

    for (int x = 0; x < 7; ++x)
        EXPECT_EQ (clickAt (x, 45), 0);

    EXPECT_EQ (selector.getColour(), juce::Colours::red);
}
