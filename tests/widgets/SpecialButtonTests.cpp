#include "widgets/SpecialButton.h"

#include "MusewheelerImages.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;

namespace
{
struct ClickCounter final : juce::Button::Listener
{
    void buttonClicked (juce::Button*) override { ++clicks; }
    int clicks = 0;
};

bool isWhite (juce::Colour colour)
{
    return wt::isNear (colour, juce::Colours::white);
}

// Antialiased white on a transparent ground: white, whatever the coverage.
bool isWhitish (juce::Colour colour)
{
    return colour.getAlpha() > 128 && colour.getRed() > 240 && colour.getGreen() > 240 &&
           colour.getBlue() > 240;
}

// White drawn over the forest-green disc: red and blue rise far above the disc's own.
bool isLighterThanForestGreen (juce::Colour colour)
{
    return colour.getRed() > 150 && colour.getBlue() > 150;
}

// A 60 x 40 button with its label beside the circle: the large circle's square spans 5..35 on both axes,
// centre (20, 20).
class SpecialButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        button.setBounds (0, 0, 60, 40);
        button.setVisible (true);
        button.setColour (juce::Colours::darkslateblue);
    }

    wt::ScopedProgramLook programLook;
    SpecialButton button;
};
} // namespace

TEST_F (SpecialButtonTest, circleBoundsAreTheSquareBesideTheLabelForEitherSize)
{
    EXPECT_EQ (button.getCircleBounds(), juce::Rectangle<float> (5.0f, 5.0f, 30.0f, 30.0f));

    button.setSizeButton (true);
    EXPECT_EQ (button.getCircleBounds(), juce::Rectangle<float> (5.0f, 10.0f, 20.0f, 20.0f));

    // The circle follows the height it is given.
    button.setSize (60, 50);
    EXPECT_EQ (button.getCircleBounds(), juce::Rectangle<float> (5.0f, 15.0f, 20.0f, 20.0f));
}

TEST_F (SpecialButtonTest, ringLeavesTheInsideClearWhileTheDiscFillsItWithTheColour)
{
    auto ring = wt::snapshot (button);
    EXPECT_EQ (ring.getPixelAt (5, 20), juce::Colours::darkslateblue);
    EXPECT_EQ (ring.getPixelAt (12, 20).getAlpha(), 0);
    EXPECT_EQ (ring.getPixelAt (20, 20).getAlpha(), 0);

    button.setSkin (false);
    auto disc = wt::snapshot (button);
    EXPECT_EQ (disc.getPixelAt (12, 20), juce::Colours::darkslateblue);
    EXPECT_EQ (disc.getPixelAt (20, 20), juce::Colours::darkslateblue);
    EXPECT_EQ (disc.getPixelAt (40, 20).getAlpha(), 0);
}

TEST_F (SpecialButtonTest, circleBrightensUnderTheMouseAndWhenPressedAndDarkensWhenSelected)
{
    button.setSkin (false);
    const auto centre = button.getCircleBounds().getCentre();

    wt::enter (button, centre);
    EXPECT_TRUE (wt::isNear (wt::snapshot (button).getPixelAt (20, 26),
                             juce::Colours::darkslateblue.brighter (0.25f)));

    button.mouseDown (wt::mouseEvent (button, centre));
    EXPECT_TRUE (wt::isNear (wt::snapshot (button).getPixelAt (20, 26),
                             juce::Colours::darkslateblue.brighter (0.25f).brighter (0.2f)));

    button.setSpecialState (SpecialButton::activeState);
    EXPECT_TRUE (wt::isNear (wt::snapshot (button).getPixelAt (20, 26),
                             juce::Colours::white.darker (0.1f).darker (0.1f)));

    button.mouseUp (wt::mouseEvent (button, { 50.0f, 20.0f }));
    EXPECT_TRUE (wt::isNear (wt::snapshot (button).getPixelAt (20, 26), juce::Colours::white));
}

TEST_F (SpecialButtonTest, glowsOnlyAsADiscAndOnlyWhilePressedOrHighlighted)
{
    struct Case
    {
        bool ring;
        int state;
        bool pressed;
        bool glows;
    };

    constexpr int normal = SpecialButton::normalState;
    constexpr int highlighted = SpecialButton::highlightedState;
    constexpr int active = SpecialButton::activeState;

    const Case cases[] = {
        { true, normal, false, false }, { true, highlighted, false, false },
        { true, active, false, false }, { true, normal, true, false },
        { true, active, true, false },  { false, normal, false, false },
        { false, normal, true, true },  { false, highlighted, false, true },
        { false, active, false, true }, { false, highlighted, true, true },
    };

    for (const auto& c : cases)
    {
        SpecialButton candidate;
        candidate.setBounds (0, 0, 60, 40);
        candidate.setVisible (true);
        candidate.setSkin (c.ring);
        candidate.setSpecialState (c.state);

        if (c.pressed)
            candidate.mouseDown (wt::mouseEvent (candidate, candidate.getCircleBounds().getCentre()));

        const auto image = wt::snapshot (candidate);
        SCOPED_TRACE (juce::String ("ring ") + (c.ring ? "yes" : "no") + ", state " + juce::String (c.state) +
                      ", pressed " + (c.pressed ? "yes" : "no"));

        // The halo reaches 5 pixels beyond the circle: left of it and above it.
        EXPECT_EQ (image.getPixelAt (2, 20).getAlpha() > 0, c.glows);
        EXPECT_EQ (image.getPixelAt (20, 2).getAlpha() > 0, c.glows);

        if (c.glows)
        {
            EXPECT_GT (image.getPixelAt (2, 20).getBrightness(), 0.8f);
        }
    }
}

TEST_F (SpecialButtonTest, plusIsTwoLinesOfTheLargeCircleEvenOnTheSmallOne)
{
    button.setIcon ("+");
    auto image = wt::snapshot (button);

    for (const auto x : { 13, 17, 26 })
    {
        EXPECT_TRUE (isWhite (image.getPixelAt (x, 19))) << x;
        EXPECT_TRUE (isWhite (image.getPixelAt (x, 20))) << x;
    }

    for (const auto y : { 13, 17, 26 })
        EXPECT_TRUE (isWhite (image.getPixelAt (20, y))) << y;

    EXPECT_EQ (image.getPixelAt (12, 20).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (27, 20).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (15, 15).getAlpha(), 0);

    // The small circle spans 5..25 horizontally and 10..30 vertically; the plus keeps its offsets.
    button.setSizeButton (true);
    image = wt::snapshot (button);
    EXPECT_TRUE (isWhite (image.getPixelAt (26, 25)));
    EXPECT_TRUE (isWhite (image.getPixelAt (20, 26)));
    EXPECT_EQ (image.getPixelAt (28, 25).getAlpha(), 0);
}

TEST_F (SpecialButtonTest, backIsAThinLineWithItsHeadAtTheRight)
{
    button.setIcon ("Back");
    const auto image = wt::snapshot (button);

    EXPECT_TRUE (isWhite (image.getPixelAt (22, 16)));
    EXPECT_TRUE (isWhite (image.getPixelAt (22, 23)));
    EXPECT_GT (image.getPixelAt (16, 19).getAlpha() + image.getPixelAt (16, 20).getAlpha(), 200);
    EXPECT_EQ (image.getPixelAt (16, 17).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (16, 22).getAlpha(), 0);
}

TEST_F (SpecialButtonTest, menuIsATrianglePointingUp)
{
    button.setIcon ("Menu");
    const auto image = wt::snapshot (button);

    EXPECT_TRUE (isWhite (image.getPixelAt (20, 20)));
    EXPECT_TRUE (isWhite (image.getPixelAt (16, 22)));
    EXPECT_EQ (image.getPixelAt (20, 11).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (20, 25).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (15, 15).getAlpha(), 0);
}

TEST_F (SpecialButtonTest, favoriteStarIsHollowForValueZeroAndSolidOtherwise)
{
    button.setIcon ("Favorite");
    const auto circleSquare = button.getCircleBounds().toNearestInt();

    auto image = wt::snapshot (button);
    EXPECT_EQ (image.getPixelAt (20, 20), juce::Colours::black);
    EXPECT_GT (wt::countPixels (image, circleSquare, isWhitish), 10);

    button.setValue (1);
    image = wt::snapshot (button);
    EXPECT_TRUE (isWhite (image.getPixelAt (20, 20)));
    EXPECT_EQ (
        wt::countPixels (image, circleSquare, [] (juce::Colour c) { return c == juce::Colours::black; }), 0);
}

TEST_F (SpecialButtonTest, pictureIconsAreDrawnInsideTheDiscAndOtherNamesDrawNothing)
{
    button.setSkin (false);
    button.setColour (juce::Colours::forestgreen);
    // Well inside the circle's white rim.
    const auto inside = button.getCircleBounds().reduced (6.0f).toNearestInt();

    juce::Array<juce::Image> pictures;

    for (const auto* name : { "New", "Duplicate", "Delete" })
    {
        button.setIcon (name);
        pictures.add (wt::snapshot (button));
        EXPECT_GT (wt::countPixels (pictures.getLast(), inside, isLighterThanForestGreen), 20) << name;
    }

    for (int i = 0; i < pictures.size(); ++i)
        for (int j = i + 1; j < pictures.size(); ++j)
        {
            int differences = 0;

            for (int y = inside.getY(); y < inside.getBottom(); ++y)
                for (int x = inside.getX(); x < inside.getRight(); ++x)
                    differences += pictures[i].getPixelAt (x, y) != pictures[j].getPixelAt (x, y) ? 1 : 0;

            EXPECT_GT (differences, 10) << i << " and " << j;
        }

    // A glyph name keeps the loaded picture but shows its own drawing only.
    button.setIcon ("Unknown");
    EXPECT_EQ (wt::countPixels (wt::snapshot (button), inside, isLighterThanForestGreen), 0);
}

TEST (SpecialButtonPictures, areWhitePictogramsOnTransparent32PixelSquares)
{
    const std::pair<const char*, int> pictures[] = { { Images::newitem_png, Images::newitem_pngSize },
                                                     { Images::duplicateitem_png,
                                                       Images::duplicateitem_pngSize },
                                                     { Images::deleteitem_png, Images::deleteitem_pngSize } };

    for (const auto& [data, size] : pictures)
    {
        const auto image = juce::ImageFileFormat::loadFrom (data, (size_t) size);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), 32);
        EXPECT_EQ (image.getHeight(), 32);
        EXPECT_TRUE (image.hasAlphaChannel());

        int painted = 0;

        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
            {
                const auto pixel = image.getPixelAt (x, y);

                if (pixel.getAlpha() == 0)
                    continue;

                ++painted;
                EXPECT_TRUE (pixel.getRed() > 250 && pixel.getGreen() > 250 && pixel.getBlue() > 250)
                    << x << "," << y;
            }

        EXPECT_GT (painted, 60);

        // Buttons scale the picture to their circle: the corners must stay clear.
        for (const auto corner : { juce::Point<int> (1, 1), { 30, 1 }, { 1, 30 }, { 30, 30 } })
            EXPECT_EQ (image.getPixelAt (corner.x, corner.y).getAlpha(), 0);
    }
}

namespace
{
// A labelled button of the set editor's proportions; the label texts are measured in the program's font.
class SpecialButtonLabelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        button.setBounds (0, 0, 160, 57);
        button.setVisible (true);
        button.setLabel ("Menu");
        button.setDisplay (true);
    }

    struct Placement
    {
        int textX;
        int textY;
        float baseline;
        int labelWidth;
    };

    // Where the label of a layout code goes, for the large circle in a 57-pixel-high button.
    Placement placementFor (int code) const
    {
        const auto ascent = font.getAscent();
        const auto truncatedAscent = (int) ascent;
        const auto width = font.getStringWidth ("Menu");

        switch (code)
        {
            case SpecialButton::labelBeside:
                return { 40, 2 - truncatedAscent + 57 / 2, 0.0f, width };
            case SpecialButton::labelAbove:
                return { 40, 22 - 10 - truncatedAscent, 0.0f, width };
            case SpecialButton::labelBelow:
                return { 40, 35 + 3, 0.0f, width };
            case SpecialButton::labelAboveFromCentre:
                return { 22, 22 - 10 - truncatedAscent, 0.0f, width };
            case SpecialButton::labelBelowFromCentre:
                return { 22, 35 + 3, 0.0f, width };
            default:
                return { 0, 0, 0.0f, width };
        }
    }

    Placement placed (int code) const
    {
        auto placement = placementFor (code);
        placement.baseline = (float) placement.textY + font.getAscent();
        return placement;
    }

    // The label is drawn on a transparent ground: light grey at whatever coverage.
    static bool isLightGrey (juce::Colour colour)
    {
        return colour.getAlpha() > 100 &&
               wt::isNear (colour.withAlpha ((juce::uint8) 255), juce::Colours::lightgrey, 4);
    }

    static int textPixels (const juce::Image& image, const Placement& p)
    {
        return wt::countPixels (image, { p.textX, p.textY, p.labelWidth, (int) p.baseline - p.textY - 1 },
                                wt::isPainted);
    }

    wt::ScopedProgramLook programLook;
    const juce::Font font{ "Verdana", 12.0f, juce::Font::plain };
    SpecialButton button;
};
} // namespace

TEST_F (SpecialButtonLabelTest, circleSitsWhereTheLayoutCodeSays)
{
    // Probed through the mouse: only the circle's square reacts.
    // 7 names no placement: the circle goes to the bottom.
    const std::tuple<int, bool, float, float> layouts[] = {
        { SpecialButton::labelBeside, false, 13.5f, 43.5f },
        { SpecialButton::labelAbove, false, 22.0f, 52.0f },
        { SpecialButton::labelBelow, false, 5.0f, 35.0f },
        { SpecialButton::labelAboveFromCentre, false, 22.0f, 52.0f },
        { SpecialButton::labelBelowFromCentre, false, 5.0f, 35.0f },
        { 7, false, 22.0f, 52.0f },
        { SpecialButton::labelBeside, true, 18.5f, 38.5f },
        { SpecialButton::labelBelow, true, 5.0f, 25.0f },
        { SpecialButton::labelAbove, true, 32.0f, 52.0f },
    };

    for (const auto& [code, smallCircle, top, bottom] : layouts)
    {
        SCOPED_TRACE ("code " + juce::String (code) + (smallCircle ? ", small" : ", large"));
        button.setPositionLabel (code);
        button.setSizeButton (smallCircle);

        wt::enter (button, { 15.0f, top });
        EXPECT_TRUE (button.isOver());
        wt::enter (button, { 15.0f, bottom - 0.5f });
        EXPECT_TRUE (button.isOver());
        wt::enter (button, { 15.0f, top - 0.5f });
        EXPECT_FALSE (button.isOver());
        wt::enter (button, { 15.0f, bottom });
        EXPECT_FALSE (button.isOver());

        // The bounds it reports are the square that reacts.
        EXPECT_EQ (button.getCircleBounds().getY(), top);
        EXPECT_EQ (button.getCircleBounds().getBottom(), bottom);
    }
}

TEST_F (SpecialButtonLabelTest, everyLayoutButZeroDrawsALeaderAndAnUnderline)
{
    const int layoutCodes[] = { SpecialButton::labelBeside,          SpecialButton::labelAbove,
                                SpecialButton::labelBelow,           SpecialButton::labelAboveFromCentre,
                                SpecialButton::labelBelowFromCentre, 7 };

    for (const auto code : layoutCodes)
    {
        SCOPED_TRACE ("code " + juce::String (code));
        button.setPositionLabel (code);
        const auto image = wt::snapshot (button);
        const auto p = placed (code);
        const auto underlineRow = (int) std::floor (p.baseline);

        // The underline runs 4 pixels past the text, where no glyph is.
        const auto underlineProbe = image.getPixelAt (p.textX + p.labelWidth + 3, underlineRow);
        EXPECT_EQ (isLightGrey (underlineProbe), code != SpecialButton::labelBeside);

        EXPECT_GT (textPixels (image, p), 20);
        EXPECT_GT (wt::countPixels (image, { p.textX, p.textY, p.labelWidth, 24 }, isLightGrey), 0);

        if (code == SpecialButton::labelBeside)
            continue;

        // Three quarters of the way from the circle's centre to the underline's start: past the ring.
        const auto centre = button.getCircleBounds().getCentre();
        const auto leaderPoint =
            centre + (juce::Point<float> ((float) p.textX - 2.0f, p.baseline) - centre) * 0.75f;
        EXPECT_GT (wt::strongestAlphaAround (image, (int) leaderPoint.x, (int) leaderPoint.y), 100);
    }
}

TEST_F (SpecialButtonLabelTest, labelShowsOnlyUnderTheMouseUnlessDisplayIsSet)
{
    button.setPositionLabel (SpecialButton::labelBelow);
    button.setDisplay (false);
    const auto p = placed (SpecialButton::labelBelow);

    EXPECT_EQ (wt::countPixels (wt::snapshot (button), { 38, 0, 122, 57 }, wt::isPainted), 0);

    // Entering the label's area is not entering the button.
    wt::enter (button, { 60.0f, 45.0f });
    EXPECT_EQ (textPixels (wt::snapshot (button), p), 0);

    wt::enter (button, button.getCircleBounds().getCentre());
    EXPECT_GT (textPixels (wt::snapshot (button), p), 20);

    button.mouseExit (wt::mouseEvent (button, { 100.0f, 45.0f }));
    EXPECT_EQ (textPixels (wt::snapshot (button), p), 0);
}

TEST_F (SpecialButtonLabelTest, emptyLabelDrawsNeitherTextNorLines)
{
    button.setPositionLabel (SpecialButton::labelAbove);
    button.setLabel ({});
    wt::enter (button, { 20.0f, 30.0f });

    const auto image = wt::snapshot (button);
    EXPECT_EQ (wt::countPixels (image, { 38, 0, 122, 57 }, wt::isPainted), 0);
    EXPECT_EQ (wt::countPixels (image, { 0, 0, 160, 20 }, wt::isPainted), 0);
}

TEST_F (SpecialButtonLabelTest, valueChoosesTheAlternateTextButTheUnderlineKeepsTheLabelsWidth)
{
    button.setPositionLabel (SpecialButton::labelBelow);
    const auto p = placed (SpecialButton::labelBelow);
    const auto underlineRow = (int) std::floor (p.baseline);

    button.setLabel ("Menu", {});
    button.setValue (1);
    auto image = wt::snapshot (button);
    EXPECT_EQ (textPixels (image, p), 0);
    EXPECT_TRUE (isLightGrey (image.getPixelAt (p.textX + p.labelWidth + 3, underlineRow)));

    button.setLabel ("Menu", "Alternate label");
    image = wt::snapshot (button);
    EXPECT_TRUE (isLightGrey (image.getPixelAt (p.textX + p.labelWidth + 3, underlineRow)));
    EXPECT_FALSE (
        isLightGrey (image.getPixelAt (p.textX + font.getStringWidth ("Alternate label") + 3, underlineRow)));

    const auto alternate = wt::snapshot (button);
    button.setValue (0);
    const auto primary = wt::snapshot (button);

    int differences = 0;

    for (int x = p.textX; x < 160; ++x)
        for (int y = p.textY; y < (int) p.baseline - 1; ++y)
            differences += alternate.getPixelAt (x, y) != primary.getPixelAt (x, y) ? 1 : 0;

    EXPECT_GT (differences, 20);
}

TEST_F (SpecialButtonTest, onlyTheCirclesSquareReactsToTheMouse)
{
    ClickCounter counter;
    button.addListener (&counter);

    wt::click (button, { 50.0f, 20.0f });
    wt::click (button, { 35.0f, 20.0f });
    wt::click (button, { 20.0f, 4.5f });
    EXPECT_EQ (counter.clicks, 0);

    wt::click (button, { 20.0f, 20.0f });
    EXPECT_EQ (counter.clicks, 1);

    // The corner of the square lies outside the circle but still counts.
    wt::click (button, { 5.0f, 34.5f });
    EXPECT_EQ (counter.clicks, 2);

    // A press inside released outside does not click; a press outside never begins.
    button.mouseDown (wt::mouseEvent (button, { 20.0f, 20.0f }));
    EXPECT_TRUE (button.isDown());
    button.mouseUp (wt::mouseEvent (button, { 50.0f, 20.0f }));
    EXPECT_FALSE (button.isOver());

    button.mouseDown (wt::mouseEvent (button, { 50.0f, 20.0f }));
    EXPECT_FALSE (button.isDown());
    button.mouseDrag (wt::mouseEvent (button, { 20.0f, 20.0f }, { 50.0f, 20.0f }, 1, true));
    button.mouseUp (wt::mouseEvent (button, { 20.0f, 20.0f }, { 50.0f, 20.0f }, 1, true));
    EXPECT_EQ (counter.clicks, 2);

    button.removeListener (&counter);
}

TEST_F (SpecialButtonTest, movingInAndOutOfTheSquareHighlightsAndReleasesTheCircle)
{
    button.setSkin (false);

    button.mouseMove (wt::mouseEvent (button, { 50.0f, 20.0f }));
    EXPECT_FALSE (button.isOver());

    button.mouseMove (wt::mouseEvent (button, { 30.0f, 20.0f }));
    EXPECT_TRUE (button.isOver());
    EXPECT_TRUE (wt::isNear (wt::snapshot (button).getPixelAt (20, 26),
                             juce::Colours::darkslateblue.brighter (0.25f)));

    button.mouseMove (wt::mouseEvent (button, { 40.0f, 20.0f }));
    EXPECT_FALSE (button.isOver());

    wt::enter (button, { 20.0f, 20.0f });
    button.mouseDoubleClick (wt::mouseEvent (button, { 45.0f, 20.0f }, 2));
    EXPECT_FALSE (button.isOver());
}

TEST_F (SpecialButtonTest, accessibleNameIsTheShownLabelUnlessTheOwnerGivesOne)
{
    button.setLabel ("French", "English");
    EXPECT_EQ (button.getButtonText(), "French");
    button.setValue (1);
    EXPECT_EQ (button.getButtonText(), "English");

    button.setLabel ("Tags", {});
    EXPECT_EQ (button.getButtonText(), "Tags");

    // An icon-only button is named by its owner; the label stays out of it.
    SpecialButton iconOnly;
    iconOnly.setIcon ("+");
    iconOnly.setTitle ("New advice");
    EXPECT_EQ (iconOnly.getTitle(), "New advice");
    EXPECT_TRUE (iconOnly.getButtonText().isEmpty());
}
