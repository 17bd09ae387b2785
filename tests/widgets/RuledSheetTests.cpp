#include "widgets/RuledSheet.h"

#include <gtest/gtest.h>

namespace
{
// The sheet painted into a transparent image, away from the image's corner.
juce::Image paintSheet (juce::Rectangle<int> area)
{
    juce::Image image (juce::Image::ARGB, 240, 160, true);
    juce::Graphics g (image);
    RuledSheet::paint (g, area);
    return image;
}

const juce::Rectangle<int> area (10, 20, 200, 100);
} // namespace

TEST (RuledSheetTest, fillsOnlyItsAreaWithANearlyOpaqueBlackGround)
{
    const auto image = paintSheet (area);

    EXPECT_EQ (image.getPixelAt (5, 5).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (215, 60).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (100, 125).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (12, 22), juce::Colours::black.withAlpha (0.95f));
    EXPECT_EQ (image.getPixelAt (207, 117), juce::Colours::black.withAlpha (0.95f));
}

TEST (RuledSheetTest, framesTheSheetInGreyInsideTheArea)
{
    const auto image = paintSheet (area);
    const auto left = area.getX() + RuledSheet::inset;
    const auto top = area.getY() + RuledSheet::inset;
    const auto right = area.getRight() - RuledSheet::inset - 1;
    const auto bottom = area.getBottom() - RuledSheet::inset - 1;

    EXPECT_EQ (image.getPixelAt (left, 70), juce::Colours::grey);
    EXPECT_EQ (image.getPixelAt (right, 70), juce::Colours::grey);
    EXPECT_EQ (image.getPixelAt (100, top), juce::Colours::grey);
    EXPECT_EQ (image.getPixelAt (100, bottom), juce::Colours::grey);
    EXPECT_NE (image.getPixelAt (left - 1, 70), juce::Colours::grey);
    EXPECT_NE (image.getPixelAt (right + 1, 70), juce::Colours::grey);
}

TEST (RuledSheetTest, rulesFaintLinesEveryFivePixelsBetweenTheFrameSides)
{
    const auto image = paintSheet (area);
    const auto ground = image.getPixelAt (100, 42);

    // 70 framed pixels share 14 lines, from the frame's top at y = 35.
    for (const auto y : { 40, 45, 75, 100 })
    {
        const auto line = image.getPixelAt (100, y);
        EXPECT_GT (line.getBrightness(), ground.getBrightness() + 0.02f) << y;
        EXPECT_LT (line.getBrightness(), juce::Colours::grey.getBrightness()) << y;
    }

    EXPECT_EQ (image.getPixelAt (100, 41), ground);
    EXPECT_EQ (image.getPixelAt (100, 44), ground);
    EXPECT_EQ (image.getPixelAt (20, 40), image.getPixelAt (12, 22)) << "the lines stop at the frame";
    EXPECT_EQ (image.getPixelAt (200, 40), image.getPixelAt (12, 22)) << "the lines stop at the frame";
}

TEST (RuledSheetTest, leavesAFrameTooLowForOneLineUnruled)
{
    const auto image = paintSheet ({ 10, 20, 200, 2 * RuledSheet::inset + RuledSheet::lineSpacing - 1 });

    // The frame runs from y = 35 to y = 38.
    for (const auto y : { 36, 37 })
        EXPECT_EQ (image.getPixelAt (100, y), juce::Colours::black.withAlpha (0.95f)) << y;
}
