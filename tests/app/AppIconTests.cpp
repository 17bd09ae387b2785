#include "app/AppIcon.h"

#include <gtest/gtest.h>

TEST (AppIconTest, drawsTheFramedScreenOnARoundedBlackSquare)
{
    for (const auto size : { 64, 256 })
    {
        const auto image = AppIcon::createImage (size);
        ASSERT_EQ (image.getWidth(), size);
        ASSERT_EQ (image.getHeight(), size);

        const auto at = [&] (float x, float y)
        { return image.getPixelAt ((int) (x * (float) size), (int) (y * (float) size)); };

        EXPECT_EQ (at (0.0f, 0.0f).getAlpha(), 0) << size; // the rounded corner
        EXPECT_EQ (at (0.05f, 0.5f), juce::Colours::black) << size;
        EXPECT_EQ (at (0.16f, 0.4f), juce::Colours::orange) << size; // left side of the frame
        EXPECT_EQ (at (0.5f, 0.25f), juce::Colours::yellow) << size; // the set name's line
        EXPECT_EQ (at (0.3f, 0.3f), juce::Colours::black) << size;   // inside the frame
    }
}
