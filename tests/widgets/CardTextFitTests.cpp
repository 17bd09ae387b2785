#include "widgets/CardTextFit.h"

#include "TestHelpers.h"
#include "widgets/CardLayout.h"

#include <gtest/gtest.h>

TEST (CardLayoutTest, placesTheLabelsOfTheProgramsScreen)
{
    EXPECT_EQ (CardLayout::nameLabel(), juce::Rectangle<int> (100, 70, 300, 24));
    EXPECT_EQ (CardLayout::adviceLabel(), juce::Rectangle<int> (100, 95, 300, 96));
    EXPECT_EQ (CardLayout::authorLabel(), juce::Rectangle<int> (110, 200, 280, 24));

    // Another screen keeps the margins.
    EXPECT_EQ (CardLayout::adviceLabel (600, 400), juce::Rectangle<int> (100, 95, 400, 96));
    EXPECT_EQ (CardLayout::authorLabel (600, 400), juce::Rectangle<int> (110, 250, 380, 24));
}

TEST (CardTextFitTest, measuresTextsAsTheMainScreenShowsThem)
{
    CardTextFit fit;
    EXPECT_TRUE (fit.fitsAdviceLabel ("A short advice."));

    // Twenty-three words run one line past the four lines of the label.
    EXPECT_FALSE (fit.fitsAdviceLabel (
        "one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen "
        "sixteen seventeen eighteen nineteen twenty twenty-one twenty-two twenty-three"));

    EXPECT_TRUE (fit.fitsNameLine ("Blank Page Breakers"));
    EXPECT_FALSE (fit.fitsNameLine ("A name far too long to stand on the one line above the advice"));
}

TEST (CardTextFitTest, findsWordsWiderThanALineOfTheAdviceLabel)
{
    CardTextFit fit;
    EXPECT_TRUE (fit.fitsAdviceLineWidth ("Counterpoint"));
    EXPECT_FALSE (fit.fitsAdviceLineWidth (juce::String::repeatedString ("W", 40)));
}

TEST (CardTextFitTest, knowsTheColoursOfTheEditorsPalette)
{
    CardTextFit fit;
    EXPECT_TRUE (fit.isPaletteColour (juce::Colour (0xffff0000)));
    EXPECT_TRUE (fit.isPaletteColour (juce::Colour (0xffffa500)));
    EXPECT_FALSE (fit.isPaletteColour (juce::Colour (1, 2, 3)));
}
