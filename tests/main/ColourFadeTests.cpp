#include "main/ColourFade.h"

#include <gtest/gtest.h>

namespace
{
// The colours a screen shows over a whole fade, tick after tick, as it feeds each one back.
std::vector<juce::Colour> runFade (ColourFade& fade, juce::Colour from, juce::Colour to)
{
    fade.start (from, to);
    std::vector<juce::Colour> shown;
    auto colour = from;

    while (fade.isRunning())
    {
        colour = fade.advance (colour);
        shown.push_back (colour);
    }

    return shown;
}
} // namespace

TEST (ColourFadeTest, holdsTheOldColourForTwentyTicksThenReachesTheNewOneInTenEqualSteps)
{
    const auto from = juce::Colour::fromHSV (0.6f, 0.8f, 0.2f, 1.0f);
    const auto to = juce::Colour::fromHSV (0.6f, 0.8f, 0.7f, 1.0f);
    ColourFade fade;
    const auto shown = runFade (fade, from, to);

    ASSERT_EQ (shown.size(), 30u);
    EXPECT_EQ (fade.getStep(), 30);

    for (size_t tick = 0; tick < 20; ++tick)
        EXPECT_EQ (shown[tick], from) << "tick " << tick + 1;

    for (size_t step = 1; step <= 10; ++step)
        EXPECT_NEAR (shown[19 + step].getBrightness(), 0.2f + 0.05f * (float) step, 0.01f) << "step " << step;

    EXPECT_NEAR (shown.back().getHue(), to.getHue(), 0.01f);
    EXPECT_NEAR (shown.back().getSaturation(), to.getSaturation(), 0.01f);
}

TEST (ColourFadeTest, theHueTakesTheShorterWayRoundThroughRed)
{
    for (const auto& [fromHue, toHue] : { std::pair{ 0.9f, 0.1f }, std::pair{ 0.1f, 0.9f } })
    {
        ColourFade fade;
        const auto shown = runFade (fade, juce::Colour::fromHSV (fromHue, 1.0f, 1.0f, 1.0f),
                                    juce::Colour::fromHSV (toHue, 1.0f, 1.0f, 1.0f));
        ASSERT_EQ (shown.size(), 30u);

        for (const auto& colour : shown)
        {
            const auto hue = colour.getHue();
            EXPECT_TRUE (hue <= 0.11f || hue >= 0.89f) << "hue " << hue << " on the way from " << fromHue;
        }

        // Half way, the fade is at red.
        EXPECT_GT (shown[24].getRed(), 250);
        EXPECT_LT (shown[24].getGreen(), 5);
        EXPECT_LT (shown[24].getBlue(), 5);
    }
}

TEST (ColourFadeTest, keepsTheOldColoursAlphaAllTheWay)
{
    ColourFade fade;
    const auto shown = runFade (fade, juce::Colours::red.withAlpha (0.5f), juce::Colours::blue);

    for (size_t tick = 20; tick < shown.size(); ++tick)
        EXPECT_NEAR (shown[tick].getFloatAlpha(), 0.5f, 0.01f) << "tick " << tick + 1;
}

TEST (ColourFadeTest, aNewStartHoldsAgainFromWhereTheColourIsNow)
{
    ColourFade fade;
    fade.start (juce::Colours::red, juce::Colours::blue);
    auto colour = juce::Colours::red;

    for (int tick = 0; tick < 25; ++tick)
        colour = fade.advance (colour);

    const auto halfWay = colour;
    ASSERT_NE (halfWay, juce::Colours::red);
    ASSERT_NE (halfWay, juce::Colours::blue);

    fade.start (halfWay, juce::Colours::green);
    EXPECT_EQ (fade.getTarget(), juce::Colours::green);
    EXPECT_TRUE (fade.isRunning());

    for (int tick = 0; tick < 20; ++tick)
        colour = fade.advance (colour);

    EXPECT_EQ (colour, halfWay);
    EXPECT_NE (fade.advance (colour), halfWay);
}
