#include "widgets/TextContrast.h"

#include <gtest/gtest.h>

TEST (TextContrastTest, measuresTheGuidelinesRatio)
{
    EXPECT_NEAR (TextContrast::ratio (juce::Colours::black, juce::Colours::white), 21.0f, 0.01f);
    EXPECT_NEAR (TextContrast::ratio (juce::Colours::white, juce::Colours::black), 21.0f, 0.01f);
    EXPECT_NEAR (TextContrast::ratio (juce::Colours::red, juce::Colours::red), 1.0f, 0.001f);

    // The toolkit's white text of a lit menu entry on the set colours that made it unreadable.
    EXPECT_NEAR (TextContrast::ratio (juce::Colours::white, juce::Colour (0xff00ff40)), 1.37f, 0.01f);
    EXPECT_NEAR (TextContrast::ratio (juce::Colours::white, juce::Colours::yellow), 1.07f, 0.01f);
    EXPECT_NEAR (TextContrast::ratio (juce::Colour (0xff777777), juce::Colours::white), 4.48f, 0.02f);
}

TEST (TextContrastTest, picksBlackOnLightColoursAndWhiteOnDarkOnesAlwaysAtLeastFourAndAHalf)
{
    EXPECT_EQ (TextContrast::blackOrWhiteOn (juce::Colour (0xff00ff40)), juce::Colours::black);
    EXPECT_EQ (TextContrast::blackOrWhiteOn (juce::Colours::yellow), juce::Colours::black);
    EXPECT_EQ (TextContrast::blackOrWhiteOn (juce::Colours::orange), juce::Colours::black);
    EXPECT_EQ (TextContrast::blackOrWhiteOn (juce::Colour (30, 60, 200)), juce::Colours::white);
    EXPECT_EQ (TextContrast::blackOrWhiteOn (juce::Colour (200, 30, 30)), juce::Colours::white);

    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15)
            {
                const auto background = juce::Colour ((juce::uint8) r, (juce::uint8) g, (juce::uint8) b);
                ASSERT_GE (TextContrast::ratio (background, TextContrast::blackOrWhiteOn (background)), 4.5f)
                    << background.toDisplayString (false);
            }
}
