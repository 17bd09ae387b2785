#include "TestHelpers.h"
#include "main/AboutComponent.h"
#include "main/HelpPages.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;
using testing_helpers::deliverMessages;
using testing_helpers::utf8;

namespace
{
class AboutComponentTest : public ::testing::Test
{
protected:
    AboutComponentTest() { about.setSize (500, 350); }

    std::vector<juce::HyperlinkButton*> links()
    {
        return { about.linkHome.get(), about.linkCredit1.get(), about.linkCredit2.get(),
                 about.linkCredit3.get() };
    }

    wt::ScopedProgramLook programLook;
    AboutComponent about;
};

// The credits as the panel lays them out with drawMultiLineText.
juce::Rectangle<float> creditsBounds (int language, int panelWidth)
{
    juce::GlyphArrangement glyphs;
    glyphs.addJustifiedText (AboutComponent::getTextFont(), AboutComponent::getCreditsText (language),
                             (float) AboutComponent::textX, (float) AboutComponent::firstBaselineY,
                             (float) AboutComponent::getTextWidth (panelWidth), juce::Justification::left);
    return glyphs.getBoundingBox (0, -1, false);
}

bool isWhitish (juce::Colour colour)
{
    return colour.getRed() > 200 && colour.getGreen() > 200 && colour.getBlue() > 200;
}
} // namespace

//==============================================================================
TEST (AboutComponentCreditsTest, fourParagraphsInEachLanguageWithTheirClosingLine)
{
    const auto english = juce::StringArray::fromTokens (AboutComponent::getCreditsText (1), "\n", "");
    const auto french = juce::StringArray::fromTokens (AboutComponent::getCreditsText (0), "\n", "");

    for (const auto* paragraphs : { &english, &french })
    {
        ASSERT_EQ (paragraphs->size(), 7);

        for (int index : { 1, 3, 5 })
            EXPECT_TRUE ((*paragraphs)[index].isEmpty()) << index;

        EXPECT_TRUE ((*paragraphs)[0].startsWith ("Musewheeler V1 "));
        EXPECT_TRUE ((*paragraphs)[4].contains ("JUCE"));
    }

    EXPECT_EQ (english[6], "More information is available on:");
    EXPECT_EQ (french[6], "Plus d'infos sur :");

    for (int index : { 0, 2, 4 })
    {
        EXPECT_TRUE (english[index].endsWith (".")) << english[index];
        EXPECT_FALSE (french[index].endsWith (".")) << french[index];
    }

    EXPECT_TRUE (english[0].contains ("the Musewheeler developers"));
    EXPECT_TRUE (french[0].contains (utf8 ("les d\xc3\xa9veloppeurs de Musewheeler")));
    EXPECT_EQ (AboutComponent::getCreditsText (7), AboutComponent::getCreditsText (1));
}

TEST_F (AboutComponentTest, theCreditsEndAboveTheLinksInBothLanguages)
{
    const auto linksTop = (float) about.linkHome->getY();

    for (int language : { 0, 1 })
    {
        const auto text = creditsBounds (language, about.getWidth());
        EXPECT_LT (text.getBottom(), linksTop) << language;
        EXPECT_LE (text.getRight(), (float) (about.getWidth() - AboutComponent::textX)) << language;
    }
}

TEST_F (AboutComponentTest, fourLinksShowTheirWholeAddressesBelowTheText)
{
    const auto children = about.getChildren();
    ASSERT_EQ (children.size(), 4);

    const auto expected = links();

    for (size_t index = 0; index < expected.size(); ++index)
        EXPECT_EQ (children[(int) index], expected[index]) << index;

    EXPECT_EQ (about.linkCredit1->getURL().toString (false), "https://juce.com");
    EXPECT_EQ (about.linkCredit2->getURL().toString (false),
               "https://en.wikipedia.org/wiki/Creativity_techniques");
    EXPECT_EQ (about.linkCredit3->getURL().toString (false),
               "https://en.wikipedia.org/wiki/Lateral_thinking");

    const int tops[] = { 240, 255, 270, 285 };
    const int preferredWidths[] = { 250, 183, 250, 130 };

    for (size_t index = 0; index < expected.size(); ++index)
    {
        const auto& link = *expected[index];
        SCOPED_TRACE (link.getButtonText());
        EXPECT_TRUE (link.isVisible());
        EXPECT_EQ (link.getButtonText(), link.getURL().toString (false));
        EXPECT_EQ (link.getX(), 50);
        EXPECT_EQ (link.getY(), tops[index]);
        EXPECT_EQ (link.getHeight(), 24);
        EXPECT_GE (link.getWidth(), preferredWidths[index]);
        EXPECT_LE (link.getRight(), 450);
        EXPECT_EQ (link.findColour (juce::HyperlinkButton::textColourId), juce::Colours::orange);
    }

    // The web addresses fit whole; the help page's file address depends on where the program lies.
    for (auto* link : { about.linkCredit1.get(), about.linkCredit2.get(), about.linkCredit3.get() })
        EXPECT_LE (AboutComponent::getTextFont().getStringWidthFloat (link->getButtonText()) + 2.0f,
                   (float) link->getWidth())
            << link->getButtonText();

    // On a narrower sheet the long addresses stop at the text's right edge.
    about.setSize (300, 200);
    EXPECT_GE (about.linkCredit1->getWidth(), 116);
    EXPECT_EQ (about.linkCredit2->getWidth(), 200);
}

TEST_F (AboutComponentTest, theHomeLinkLeadsToTheHelpPageOfTheLanguageShown)
{
    const auto help = HelpPages::getFolder();

    about.language = 0;
    about.setVisible (true);
    EXPECT_EQ (about.linkHome->getURL().getLocalFile(), help.getChildFile ("fr/index.html"));
    EXPECT_EQ (about.linkHome->getButtonText(), about.linkHome->getURL().toString (false));
    EXPECT_TRUE (about.linkHome->getButtonText().startsWith ("file://"));
    ASSERT_EQ (about.getChildren().size(), 4);
    EXPECT_EQ (about.getChildren()[0], about.linkHome.get());
    EXPECT_EQ (about.linkHome->getBounds().getTopLeft(), juce::Point<int> (50, 240));

    about.setVisible (false);
    about.language = 1;
    about.setVisible (true);
    EXPECT_EQ (about.linkHome->getURL().getLocalFile(), help.getChildFile ("index.html"));
}

TEST_F (AboutComponentTest, aClickOutsideTheLinksClosesThePanelAndAClickOnALinkReachesTheLink)
{
    wt::ActionRecorder recorder (about);
    about.setVisible (true);

    for (const auto position : { juce::Point<int> (250, 320), juce::Point<int> (100, 60) })
        EXPECT_EQ (about.getComponentAt (position), &about);

    wt::press (about, { 100.0f, 60.0f });
    deliverMessages();
    EXPECT_EQ (recorder.messages, juce::StringArray (AboutComponent::exitMessage));

    // The toolkit hands a press to the topmost child under it: over a link, the link takes it.
    for (auto* link : links())
        EXPECT_EQ (about.getComponentAt (link->getBounds().getCentre()), link);
}

TEST_F (AboutComponentTest, paintsADarkLinedSheetWithAFrameAndTheCreditsInItsLanguage)
{
    about.language = 1;
    const auto english = wt::snapshot (about);

    const auto background = english.getPixelAt (100, 22);
    EXPECT_EQ (background.getAlpha(), juce::Colours::black.withAlpha (0.95f).getAlpha());
    EXPECT_EQ (background.getBrightness(), 0.0f);

    // Lines every 5 pixels from y = 15 to y = 330; the frame in grey on the rectangle 15, 15, 470, 320.
    for (int y : { 20, 25, 325, 330 })
        EXPECT_GT (english.getPixelAt (470, y).getBrightness(), 0.0f) << y;

    EXPECT_EQ (english.getPixelAt (470, 21), background);
    EXPECT_EQ (english.getPixelAt (470, 331), background);
    EXPECT_EQ (english.getPixelAt (470, 337), english.getPixelAt (5, 5));
    EXPECT_EQ (english.getPixelAt (15, 100), juce::Colour (0xff808080));
    EXPECT_EQ (english.getPixelAt (484, 100), juce::Colour (0xff808080));
    EXPECT_EQ (english.getPixelAt (200, 334), juce::Colour (0xff808080));

    const juce::Rectangle<int> textArea (50, 25, 400, 210);
    EXPECT_GT (wt::countPixels (english, textArea, isWhitish), 500);

    about.language = 0;
    const auto french = wt::snapshot (about);
    about.language = 3;
    const auto otherValue = wt::snapshot (about);

    int frenchDifferences = 0;
    int otherDifferences = 0;

    for (int y = textArea.getY(); y < textArea.getBottom(); ++y)
    {
        for (int x = textArea.getX(); x < textArea.getRight(); ++x)
        {
            frenchDifferences += french.getPixelAt (x, y) != english.getPixelAt (x, y) ? 1 : 0;
            otherDifferences += otherValue.getPixelAt (x, y) != english.getPixelAt (x, y) ? 1 : 0;
        }
    }

    EXPECT_GT (frenchDifferences, 500);
    EXPECT_EQ (otherDifferences, 0);
}

TEST_F (AboutComponentTest, aSheetTooLowForOneLineKeepsOnlyItsFrame)
{
    about.setSize (200, 34);
    const auto image = wt::snapshot (about);

    EXPECT_EQ (image.getPixelAt (100, 15), juce::Colour (0xff808080));
    EXPECT_EQ (image.getPixelAt (100, 18), juce::Colour (0xff808080));

    for (int y : { 16, 17 })
        EXPECT_EQ (image.getPixelAt (100, y).getBrightness(), 0.0f) << y;
}
