#include "widgets/WrappedTextBound.h"

#include "TestHelpers.h"
#include "advice/SetTextRules.h"
#include "widgets/CardLayout.h"
#include "widgets/CardTextFit.h"
#include "widgets/CustomLookAndFeel.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
using testing_helpers::utf8;

// The main screen's advice label in the program's look, laid out by the toolkit as the screen does.
struct AdviceLabel
{
    AdviceLabel()
    {
        juce::LookAndFeel::setDefaultLookAndFeel (&look);
        label.setBounds (CardLayout::adviceLabel().withZeroOrigin());
        label.setJustificationType (juce::Justification::centred);
        label.setMinimumHorizontalScale (1.0f);
        label.setFont (CardLayout::adviceFont());
    }

    ~AdviceLabel() { juce::LookAndFeel::setDefaultLookAndFeel (nullptr); }

    int countLines (const juce::String& text)
    {
        label.setText (text, juce::dontSendNotification);
        auto glyphs = CustomLookAndFeel::layOutWrappedText (label, CardLayout::adviceFont());
        std::set<float> baselines;

        for (int i = 0; i < glyphs.getNumGlyphs(); ++i)
            baselines.insert (glyphs.getGlyph (i).getBaselineY());

        return (int) baselines.size();
    }

    bool fits (const juce::String& text)
    {
        label.setText (text, juce::dontSendNotification);
        return CustomLookAndFeel::wrappedTextFits (label, CardLayout::adviceFont());
    }

    WrappedTextBound makeBound() const
    {
        return WrappedTextBound (CardLayout::adviceFont(), SetTextRules::allowedCharacters,
                                 CustomLookAndFeel::getWrappedLineWidth (label));
    }

    CustomLookAndFeel look;
    juce::Label label;
};

// Words of every width the editor lets be typed: the widest glyphs (W, M, m, @-free capitals with
// accents), the narrowest, ordinary words, and words longer than a line, which the toolkit breaks.
const juce::StringArray& wordsOfEveryWidth()
{
    static const juce::StringArray words{ "W",
                                          "WW",
                                          "WWWWW",
                                          "MWMWM",
                                          "mmmmmm",
                                          utf8 ("ÉÈÊÀÂ"),
                                          utf8 ("ÇÜÖÄ"),
                                          "i",
                                          "il",
                                          "ill.",
                                          ",",
                                          "(ok)",
                                          "the",
                                          "chorus",
                                          "record",
                                          utf8 ("mélodie"),
                                          utf8 ("répéter"),
                                          "AVATAR",
                                          "Tatooine",
                                          "\"quoted\"",
                                          "100%",
                                          juce::String::repeatedString ("W", 25),
                                          juce::String::repeatedString ("abcdefghij", 6) };
    return words;
}

// A text of count random words, mostly one space apart, now and then two, with spaces now and then
// at either end.
juce::String randomText (juce::Random& random, int count)
{
    const auto& words = wordsOfEveryWidth();
    juce::String text (random.nextInt (8) == 0 ? " " : "");

    for (int i = 0; i < count; ++i)
    {
        if (i > 0)
            text << (random.nextInt (10) == 0 ? "  " : " ");

        text << words[random.nextInt (words.size())];
    }

    return text + (random.nextInt (8) == 0 ? " " : "");
}
} // namespace

TEST (WrappedTextBoundTest, neverCountsFewerLinesThanTheToolkitsWrap)
{
    AdviceLabel label;
    auto bound = label.makeBound();
    juce::Random random (20261210);
    int counted = 0, exact = 0;

    for (int i = 0; i < 3000; ++i)
    {
        const auto text = randomText (random, 1 + random.nextInt (40));
        const auto lines = bound.countLinesAtMost (text);
        ASSERT_TRUE (lines.has_value()) << text;

        const auto real = label.countLines (text);
        EXPECT_GE (*lines, real) << text;
        ++counted;
        exact += *lines == real ? 1 : 0;
    }

    // A bound that overcounts much would send most texts to the slow layout.
    EXPECT_GT (exact, counted * 9 / 10) << exact << " of " << counted;
}

// The coarse bound, tried first, must never let a text through that the full count would hold back.
TEST (WrappedTextBoundTest, tellsTextsWithinSoManyLinesAsTheFullCountDoes)
{
    AdviceLabel label;
    auto bound = label.makeBound();
    juce::Random random (1210);

    for (int i = 0; i < 3000; ++i)
    {
        const auto text = randomText (random, 1 + random.nextInt (40));
        std::vector<juce::uint8> characters;

        for (auto p = text.getCharPointer(); !p.isEmpty();)
            characters.push_back ((juce::uint8) p.getAndAdvance());

        const auto lines = bound.countLinesAtMost (characters.data(), characters.size());
        ASSERT_TRUE (lines.has_value()) << text;

        for (int maxLines = 1; maxLines <= 8; ++maxLines)
            ASSERT_EQ (bound.surelyFitsIn (characters.data(), characters.size(), maxLines),
                       *lines <= maxLines)
                << text << " within " << maxLines;
    }
}

TEST (WrappedTextBoundTest, leavesTextsItCannotBoundToTheRealLayout)
{
    AdviceLabel label;
    auto bound = label.makeBound();

    // An em dash, a curly quote and a tab are no characters the editor allows, so they were not measured.
    EXPECT_FALSE (bound.countLinesAtMost (utf8 ("Slow down \xe2\x80\x94 then stop.")));
    EXPECT_FALSE (bound.countLinesAtMost (utf8 ("It\xe2\x80\x99s late.")));
    EXPECT_FALSE (bound.countLinesAtMost ("tab\there"));
    EXPECT_FALSE (bound.countLinesAtMost ({}));
    EXPECT_FALSE (bound.countLinesAtMost ("    "));
    EXPECT_FALSE (bound.countLinesAtMost (juce::String::repeatedString ("a ", 600)));

    EXPECT_EQ (bound.countLinesAtMost ("Play it slow."), std::optional<int> (1));
}

TEST (CardTextFitEdgeTest, agreesWithTheLabelOnEveryTextAroundTheEdgeOfWhatFits)
{
    CardTextFit fit;
    AdviceLabel label;
    juce::Random random (42);

    // Texts grown a word at a time until they no longer fit, and a few words beyond.
    const auto grow = [&] (auto nextWord)
    {
        juce::String text;
        int pastTheEdge = 0;

        for (int words = 0; words < 200 && pastTheEdge < 4; ++words)
        {
            text << (words > 0 ? " " : "") << nextWord();
            const auto fits = label.fits (text);
            pastTheEdge += fits ? 0 : 1;
            ASSERT_EQ (fit.fitsAdviceLabel (text), fits) << text;
        }

        ASSERT_GT (pastTheEdge, 0) << "never reached the edge: " << text;
    };

    for (int i = 0; i < 100; ++i)
        grow ([&] { return wordsOfEveryWidth()[random.nextInt (wordsOfEveryWidth().size())]; });

    // The widest glyphs, one character at a time, as words of every length.
    for (int wordLength = 1; wordLength <= 12; ++wordLength)
        grow ([&] { return juce::String::repeatedString ("W", wordLength); });

    // An em dash, wider still, is measured by the label itself.
    grow ([&] { return utf8 ("W\xe2\x80\x94W"); });
    grow ([&] { return utf8 ("\xe2\x80\x94"); });
}
