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

namespace
{
// The main screen's advice label, in the program's look.
struct AdviceLabelOnScreen
{
    explicit AdviceLabelOnScreen (const juce::String& text)
    {
        juce::LookAndFeel::setDefaultLookAndFeel (&look);
        label.setBounds (CardLayout::adviceLabel().withZeroOrigin());
        label.setJustificationType (juce::Justification::centred);
        label.setMinimumHorizontalScale (1.0f);
        label.setFont (CardLayout::adviceFont());
        label.setColour (juce::Label::textColourId, juce::Colours::white);
        label.setText (text, juce::dontSendNotification);
    }

    ~AdviceLabelOnScreen() { juce::LookAndFeel::setDefaultLookAndFeel (nullptr); }

    juce::GlyphArrangement shown()
    {
        return CustomLookAndFeel::layOutWrappedTextToFit (label, CardLayout::adviceFont());
    }

    // Rows of the label's picture that hold light text pixels.
    int inkOnRow (const juce::Image& image, int y) const
    {
        int count = 0;

        for (int x = 0; x < image.getWidth(); ++x)
            count += image.getPixelAt (x, y).getBrightness() > 0.3f ? 1 : 0;

        return count;
    }

    CustomLookAndFeel look;
    juce::Label label;
};

const juce::String longFrenchAdvice =
    testing_helpers::utf8 (
        "Prenez une chanson que vous aimez et réécrivez son refrain avec vos propres mots, en gardant le "
        "rythme exact de chaque syllabe ; puis changez la mélodie note par note jusqu'à ce que plus rien ne "
        "rappelle l'original, et gardez seulement ce qui vous surprend encore le lendemain matin au réveil.")
        .replace (";", ",");
} // namespace

TEST (AdviceLabelDrawingTest, aTextThatFitsIsDrawnAsItAlwaysWas)
{
    AdviceLabelOnScreen screen ("A short advice, drawn in the label's own size.");
    auto plain = CustomLookAndFeel::layOutWrappedText (screen.label, CardLayout::adviceFont());
    auto shown = screen.shown();

    ASSERT_EQ (shown.getNumGlyphs(), plain.getNumGlyphs());

    for (int i = 0; i < shown.getNumGlyphs(); ++i)
        EXPECT_EQ (shown.getGlyph (i).getBounds(), plain.getGlyph (i).getBounds()) << i;
}

TEST (AdviceLabelDrawingTest, aLongTextIsMadeSmallerNeverCutMidLine)
{
    AdviceLabelOnScreen screen (longFrenchAdvice);
    ASSERT_GT (longFrenchAdvice.length(), 280);
    ASSERT_FALSE (CardTextFit().fitsAdviceLabel (longFrenchAdvice)) << "the checker reports it";

    auto shown = screen.shown();
    const auto box = shown.getBoundingBox (0, -1, false);
    EXPECT_TRUE (screen.label.getLocalBounds().toFloat().contains (box)) << box.toString();
    EXPECT_LT (shown.getGlyph (0).getBounds().getHeight(), CardLayout::adviceFont().getHeight());
    EXPECT_EQ (shown.getNumGlyphs(), longFrenchAdvice.length()) << "every character is shown";

    // On the pixels: no line runs into the label's top or bottom edge.
    const auto image = screen.label.createComponentSnapshot (screen.label.getLocalBounds());
    EXPECT_EQ (screen.inkOnRow (image, 0), 0);
    EXPECT_EQ (screen.inkOnRow (image, image.getHeight() - 1), 0);
    EXPECT_GT (screen.inkOnRow (image, image.getHeight() / 2), 0);
}

TEST (AdviceLabelDrawingTest, aTextTooLongEvenSmallerEndsWithAnEllipsisAfterAWholeWord)
{
    const auto words = juce::String::repeatedString ("counterpoint ", 40).trim();
    AdviceLabelOnScreen screen (words);

    auto shown = screen.shown();
    const auto box = shown.getBoundingBox (0, -1, false);
    EXPECT_TRUE (screen.label.getLocalBounds().toFloat().contains (box)) << box.toString();

    juce::String text;

    for (int i = 0; i < shown.getNumGlyphs(); ++i)
        text += juce::String::charToString (shown.getGlyph (i).getCharacter());

    EXPECT_TRUE (text.endsWith ("counterpoint" + juce::String::charToString ((juce::juce_wchar) 0x2026)))
        << text;
    EXPECT_LT (text.length(), words.length());
    EXPECT_FLOAT_EQ (shown.getGlyph (0).getBounds().getHeight(),
                     CardLayout::adviceFont().getHeight() * CustomLookAndFeel::smallestWrappedTextScale);
}
