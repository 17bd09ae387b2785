#include "plugin/EditorSize.h"

#include <gtest/gtest.h>

TEST (EditorSizeTest, aWidthGivesTheCardsProportionsWithinTheLimits)
{
    EXPECT_EQ (EditorSize::forWidth (500), juce::Rectangle<int> (500, 350));
    EXPECT_EQ (EditorSize::forWidth (750), juce::Rectangle<int> (750, 525));
    EXPECT_EQ (EditorSize::forWidth (1000), juce::Rectangle<int> (1000, 700));
    EXPECT_EQ (EditorSize::forWidth (623), juce::Rectangle<int> (623, 436));
    EXPECT_EQ (EditorSize::forWidth (10), juce::Rectangle<int> (500, 350));
    EXPECT_EQ (EditorSize::forWidth (5000), juce::Rectangle<int> (1000, 700));
}

TEST (EditorSizeTest, aStateKeepsNoSizeOrAUsableOne)
{
    EXPECT_FALSE (EditorSize::fromState (0, 0).has_value());
    EXPECT_FALSE (EditorSize::fromState (750, 0).has_value());
    EXPECT_FALSE (EditorSize::fromState (-750, 525).has_value());
    EXPECT_EQ (EditorSize::fromState (750, 525), juce::Rectangle<int> (750, 525));

    // Hand-edited or damaged: the nearest size the window can take.
    EXPECT_EQ (EditorSize::fromState (750, 100), juce::Rectangle<int> (750, 525));
    EXPECT_EQ (EditorSize::fromState (100000, 3), juce::Rectangle<int> (1000, 700));
}

TEST (EditorSizeTest, theCardFitsWholeInsideTheWindow)
{
    EXPECT_FLOAT_EQ (EditorSize::scaleFor ({ 500, 350 }), 1.0f);
    EXPECT_FLOAT_EQ (EditorSize::scaleFor ({ 750, 525 }), 1.5f);
    EXPECT_FLOAT_EQ (EditorSize::scaleFor ({ 1000, 700 }), 2.0f);

    // A host that forced other proportions: the narrower side decides.
    EXPECT_FLOAT_EQ (EditorSize::scaleFor ({ 1000, 350 }), 1.0f);
    EXPECT_FLOAT_EQ (EditorSize::scaleFor ({ 600, 700 }), 1.2f);
}
