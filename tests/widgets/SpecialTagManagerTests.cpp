#include "widgets/SpecialTagManager.h"

#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;

namespace
{
// The size the set editor gives the picker in its 500 x 350 window.
constexpr int pickerWidth = 340;
constexpr int pickerHeight = 180;
constexpr float stripCentreY = 80.0f;
constexpr float tabBandY = 50.0f;

class SpecialTagManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        picker.setLanguage (1);
        picker.setBounds (0, 0, pickerWidth, pickerHeight);
    }

    static float cellWidth (int category, int width = pickerWidth)
    {
        return (float) (width - 60) / (float) DataTags::getNumTagsInCategory (category);
    }

    juce::Point<float> cellCentre (int cell) const
    {
        return { 30.0f + ((float) cell + 0.5f) * cellWidth (picker.getClickedCategory(), picker.getWidth()),
                 stripCentreY };
    }

    juce::Component& component() { return picker; }

    void press (juce::Point<float> position) { component().mouseDown (wt::mouseEvent (picker, position)); }
    void release (juce::Point<float> position) { component().mouseUp (wt::mouseEvent (picker, position)); }
    void click (juce::Point<float> position)
    {
        press (position);
        release (position);
    }
    void move (juce::Point<float> position) { component().mouseMove (wt::mouseEvent (picker, position)); }
    void drag (juce::Point<float> position, juce::Point<float> from)
    {
        component().mouseDrag (wt::mouseEvent (picker, position, from, 1, true));
    }

    juce::String title() { return label ("tag-picker-title").getText(); }
    juce::String description() { return label ("tag-picker-description").getText(); }

    juce::Label& label (const juce::String& id)
    {
        auto* found = dynamic_cast<juce::Label*> (picker.findChildWithID (id));
        EXPECT_NE (found, nullptr);
        return *found;
    }

    DataTags tags;
    SpecialTagManager picker{ &tags };
};

// The pixel with the strongest coverage in an area: on a transparent ground its colour is the drawn one.
juce::Colour mostCoveredPixel (const juce::Image& image, juce::Rectangle<int> area)
{
    juce::Colour strongest = juce::Colours::transparentBlack;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (image.getPixelAt (x, y).getAlpha() > strongest.getAlpha())
                strongest = image.getPixelAt (x, y);

    return strongest;
}

bool sameArea (const juce::Image& first, const juce::Image& second, juce::Rectangle<int> area)
{
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (first.getPixelAt (x, y) != second.getPixelAt (x, y))
                return false;

    return true;
}
} // namespace

//==============================================================================
TEST_F (SpecialTagManagerTest, hashListsAreReadInTheirOrderWithDuplicatesAndOnlyNumbersFollowedByAComma)
{
    picker.setHashTags ("0,104,301,");
    EXPECT_EQ (picker.getHashTags(), "0,104,301,");

    picker.setHashTags ("301,0,301,");
    EXPECT_EQ (picker.getHashTags(), "301,0,301,");

    picker.setHashTags ("3,7");
    EXPECT_EQ (picker.getHashTags(), "3,");

    picker.setHashTags ("5,5,");
    EXPECT_EQ (picker.getHashTags(), "5,5,");

    picker.setHashTags ("12");
    EXPECT_EQ (picker.getHashTags(), "");

    picker.setHashTags ("");
    EXPECT_EQ (picker.getHashTags(), "");

    // Whatever is between two commas counts, as the set files have always been read.
    picker.setHashTags (",x,201,");
    EXPECT_EQ (picker.getHashTags(), "0,0,201,");
}

TEST_F (SpecialTagManagerTest, tagsChosenByClicksComeOutInTheOrderChosen)
{
    picker.setButtonClicked (3);
    click (cellCentre (0));
    picker.setButtonClicked (0);
    click (cellCentre (2));

    EXPECT_EQ (picker.getHashTags(), "300,2,");
}

//==============================================================================
TEST_F (SpecialTagManagerTest, tabHitZonesAreWiderThanTheDrawnOutlinesSoTheirGapsStillSelect)
{
    // At 340 pixels the outlines are 57 apart and 49 wide, the hit zones 56 wide from x 30.
    const auto clickTab = [this] (float x, float y = tabBandY)
    {
        picker.setButtonClicked (2);
        click ({ x, y });
        return picker.getClickedCategory();
    };

    EXPECT_EQ (clickTab (31.0f), 0);
    EXPECT_EQ (clickTab (83.0f), 0) << "gap between the first two outlines, left part";
    EXPECT_EQ (clickTab (86.0f), 1) << "gap between the first two outlines, right part";
    EXPECT_EQ (clickTab (85.5f), 0);
    EXPECT_EQ (clickTab (255.0f), 4) << "gap before the last outline";
    EXPECT_EQ (clickTab (309.5f), 4) << "past the last outline, still in its zone";
    EXPECT_EQ (clickTab (198.0f), 3);

    EXPECT_EQ (clickTab (29.5f), 2) << "left of the tabs";
    EXPECT_EQ (clickTab (310.0f), 2) << "right of the tabs";
    EXPECT_EQ (clickTab (100.0f, 40.5f), 2) << "above the band";
    EXPECT_EQ (clickTab (100.0f, 41.0f), 1);
    EXPECT_EQ (clickTab (100.0f, 59.0f), 1);
    EXPECT_EQ (clickTab (100.0f, 59.5f), 2) << "below the band";
}

TEST_F (SpecialTagManagerTest, tabZonesFollowTheWidth)
{
    picker.setBounds (0, 0, 500, 350);

    // (500 - 60) / 5 = 88: tab 1 starts at 118, though its outline starts at 119.
    click ({ 117.5f, tabBandY });
    EXPECT_EQ (picker.getClickedCategory(), 0);
    click ({ 118.0f, tabBandY });
    EXPECT_EQ (picker.getClickedCategory(), 1);
    click ({ 469.5f, tabBandY });
    EXPECT_EQ (picker.getClickedCategory(), 4);
}

TEST_F (SpecialTagManagerTest, stripCellsAreEqualFloatingPointSlicesOfTheWidthLessSixty)
{
    picker.setButtonClicked (3);
    const auto width = cellWidth (3);

    // Just past and just before the eighth boundary of 24 cells of 11.67 pixels.
    click ({ 30.0f + 7.0f * width + 0.2f, stripCentreY });
    click ({ 30.0f + 7.0f * width - 0.2f, stripCentreY });
    click ({ 30.5f, stripCentreY });
    click ({ 309.5f, stripCentreY });
    EXPECT_EQ (picker.getHashTags(), "307,306,300,323,");

    picker.setButtonClicked (2);
    click ({ 30.0f + 3.0f * cellWidth (2), stripCentreY });
    EXPECT_EQ (picker.getHashTags(), "307,306,300,323,203,");
}

TEST_F (SpecialTagManagerTest, pressesOnTheStripBorderOrBesideItChooseNothing)
{
    picker.setButtonClicked (1);

    for (const auto position : { juce::Point<float> (30.0f, 80.0f), juce::Point<float> (310.0f, 80.0f),
                                 juce::Point<float> (100.0f, 70.0f), juce::Point<float> (100.0f, 90.0f),
                                 juce::Point<float> (100.0f, 120.0f), juce::Point<float> (10.0f, 80.0f) })
        click (position);

    EXPECT_EQ (picker.getHashTags(), "");

    click ({ 100.0f, 70.5f });
    click ({ 200.0f, 89.5f });
    EXPECT_EQ (picker.getHashTags(), "101,103,");
}

//==============================================================================
TEST_F (SpecialTagManagerTest, theLastAbstractionTagCannotBeTakenAway)
{
    wt::ChangeCounter changes (picker);

    picker.setHashTags ("1,");
    press (cellCentre (1));
    EXPECT_EQ (picker.getHashTags(), "1,");
    EXPECT_EQ (picker.getDragMode(), 0);
    testing_helpers::deliverMessages();
    EXPECT_EQ (changes.count, 1);
    release (cellCentre (1));

    picker.setHashTags ("0,1,");
    click (cellCentre (1));
    EXPECT_EQ (picker.getHashTags(), "0,");

    // Twice the same abstraction tag is still only one of them.
    picker.setHashTags ("1,1,");
    click (cellCentre (1));
    EXPECT_EQ (picker.getHashTags(), "1,1,");

    // Outside category 0 the last tag goes.
    picker.setHashTags ("204,");
    picker.setButtonClicked (2);
    click (cellCentre (4));
    EXPECT_EQ (picker.getHashTags(), "");
}

TEST_F (SpecialTagManagerTest, aClickOnATagChosenTwiceRemovesOneOccurrence)
{
    picker.setHashTags ("5,301,200,301,");
    picker.setButtonClicked (3);
    click (cellCentre (1));
    EXPECT_EQ (picker.getHashTags(), "5,200,301,");

    // The cell is still drawn as chosen.
    const auto colour = juce::Colour (0xff205080);
    picker.setColour (colour);
    const auto image = wt::snapshot (picker);
    const auto centre = cellCentre (1).toInt();
    EXPECT_EQ (image.getPixelAt (centre.x, centre.y), colour.brighter (0.7f));
}

//==============================================================================
TEST_F (SpecialTagManagerTest, aPressOnAFreeCellThenADragChoosesEveryCellPassedOver)
{
    picker.setButtonClicked (2);
    picker.setHashTags ("203,");
    const auto start = cellCentre (1);

    press (start);
    EXPECT_EQ (picker.getDragMode(), 1);

    for (int cell = 1; cell <= 5; ++cell)
        drag (cellCentre (cell), start);

    release (cellCentre (5));
    EXPECT_EQ (picker.getHashTags(), "203,201,202,204,205,");
    EXPECT_EQ (picker.getDragMode(), -1);
}

TEST_F (SpecialTagManagerTest, aPressOnAChosenCellThenADragRemovesOnlyChosenCellsPassedOver)
{
    picker.setButtonClicked (2);
    picker.setHashTags ("200,202,203,209,");
    const auto start = cellCentre (2);

    press (start);
    EXPECT_EQ (picker.getDragMode(), 0);

    for (int cell = 2; cell <= 5; ++cell)
        drag (cellCentre (cell), start);

    release (cellCentre (5));
    EXPECT_EQ (picker.getHashTags(), "200,209,") << "free cells passed over are not chosen";
}

TEST_F (SpecialTagManagerTest, aRemovingSweepOverTheAbstractionTagsStopsAtTheLastOne)
{
    picker.setHashTags ("0,1,2,400,");
    const auto start = cellCentre (0);

    press (start);
    drag (cellCentre (1), start);
    drag (cellCentre (2), start);
    release (cellCentre (2));

    EXPECT_EQ (picker.getHashTags(), "2,400,");
}

TEST_F (SpecialTagManagerTest, aDragThatBeganOutsideTheStripOnlyMovesTheHoverAndStillSendsChanges)
{
    wt::ChangeCounter changes (picker);
    picker.setButtonClicked (4);
    picker.setHashTags ("401,");
    const juce::Point<float> start (100.0f, 120.0f);

    press (start);
    testing_helpers::deliverMessages();
    EXPECT_EQ (changes.count, 0);

    for (int cell = 0; cell < 4; ++cell)
    {
        drag (cellCentre (cell), start);
        EXPECT_EQ (picker.getHoveredTag(), cell);
        EXPECT_EQ (picker.getHoveredCategory(), -1);
        EXPECT_EQ (title(), tags.getTags (400 + cell));
        testing_helpers::deliverMessages();
        EXPECT_EQ (changes.count, cell + 1);
    }

    EXPECT_EQ (picker.getHashTags(), "401,");
}

TEST_F (SpecialTagManagerTest, aChangeMessageFollowsEveryPressAndDragEventInTheStripAndNothingElse)
{
    wt::ChangeCounter changes (picker);
    const auto start = cellCentre (0);
    const auto deliveredAfter = [&] (auto&& event)
    {
        const auto before = changes.count;
        event();
        testing_helpers::deliverMessages();
        return changes.count - before;
    };

    EXPECT_EQ (deliveredAfter ([&] { press (start); }), 1);
    EXPECT_EQ (deliveredAfter ([&] { drag (start, start); }), 1) << "a drag inside one cell changes nothing";
    EXPECT_EQ (deliveredAfter ([&] { drag (cellCentre (1), start); }), 1);
    EXPECT_EQ (deliveredAfter ([&] { drag ({ 100.0f, 130.0f }, start); }), 0) << "outside the strip";
    EXPECT_EQ (deliveredAfter ([&] { release (start); }), 0);
    EXPECT_EQ (deliveredAfter ([&] { press ({ 100.0f, tabBandY }); }), 0) << "a tab";
    EXPECT_EQ (deliveredAfter ([&] { move (cellCentre (2)); }), 0);
    EXPECT_EQ (picker.getHashTags(), "0,1,");
}

TEST_F (SpecialTagManagerTest, theDragModeEndsWithTheReleaseTheExitOrAMoveOffTheStrip)
{
    press (cellCentre (0));
    release (cellCentre (0));
    EXPECT_EQ (picker.getDragMode(), -1);

    press (cellCentre (1));
    move (cellCentre (2));
    EXPECT_EQ (picker.getDragMode(), 1) << "moving along the strip keeps it";
    move ({ 100.0f, 120.0f });
    EXPECT_EQ (picker.getDragMode(), -1);

    press (cellCentre (1));
    EXPECT_EQ (picker.getDragMode(), 0);
    component().mouseExit (wt::mouseEvent (picker, { 100.0f, 200.0f }));
    EXPECT_EQ (picker.getDragMode(), -1);

    // With no drag mode a later drag adds and removes nothing.
    drag (cellCentre (2), cellCentre (1));
    EXPECT_EQ (picker.getHashTags(), "0,");
}

//==============================================================================
TEST_F (SpecialTagManagerTest, everyWheelTurnIsPassedOnAsAWheelMessage)
{
    wt::ActionRecorder actions (picker);

    component().mouseWheelMove (wt::mouseEvent (picker, cellCentre (0)), wt::wheelDetails (0.25f));
    component().mouseWheelMove (wt::mouseEvent (picker, { 100.0f, 150.0f }), wt::wheelDetails (-0.5f, true));
    testing_helpers::deliverMessages();

    EXPECT_EQ (actions.messages,
               juce::StringArray ({ SpecialTagManager::wheelMessage, SpecialTagManager::wheelMessage }));
    EXPECT_FLOAT_EQ (picker.getMouseWheel().deltaY, -0.5f);
    EXPECT_TRUE (picker.getMouseWheel().isReversed);
    EXPECT_EQ (picker.getHashTags(), "");
}

TEST_F (SpecialTagManagerTest, theMouseOverTheLabelsStillReachesThePicker)
{
    // Shorter than the set editor's, so that the description area lies over the strip.
    picker.setBounds (0, 0, pickerWidth, 120);
    picker.setVisible (true);

    EXPECT_EQ (picker.getComponentAt (cellCentre (1).toInt()), &picker);
    EXPECT_EQ (picker.getComponentAt (juce::Point<int> (100, 20)), &picker);
}

//==============================================================================
TEST_F (SpecialTagManagerTest, aFreshPickerDrawsItsFirstCellAsHoveredUntilTheMouseMoves)
{
    const auto colour = juce::Colour (0xff306020);
    picker.setColour (colour);

    EXPECT_EQ (picker.getHoveredTag(), 0);
    EXPECT_EQ (picker.getHoveredCategory(), -1);
    EXPECT_EQ (picker.getClickedCategory(), 0);
    EXPECT_EQ (picker.getDragMode(), -1);

    auto image = wt::snapshot (picker);
    EXPECT_EQ (image.getPixelAt (70, 80), colour.brighter (0.25f));
    EXPECT_EQ (image.getPixelAt (170, 80), colour);

    move ({ 170.0f, 120.0f });
    image = wt::snapshot (picker);
    EXPECT_EQ (picker.getHoveredTag(), -1);
    EXPECT_EQ (image.getPixelAt (70, 80), colour);

    move ({ 170.0f, 80.0f });
    image = wt::snapshot (picker);
    EXPECT_EQ (image.getPixelAt (70, 80), colour);
    EXPECT_EQ (image.getPixelAt (170, 80), colour.brighter (0.25f));
}

TEST_F (SpecialTagManagerTest, cellsShowChosenOverHoveredOverPlainInTheColourGiven)
{
    const auto colour = juce::Colour (0xff803010);
    picker.setColour (colour);
    picker.setButtonClicked (1);
    picker.setHashTags ("100,3,");
    move (cellCentre (1));

    const auto image = wt::snapshot (picker);
    const auto pixelOfCell = [&] (int cell)
    {
        const auto centre = cellCentre (cell).toInt();
        return image.getPixelAt (centre.x, centre.y);
    };

    EXPECT_EQ (pixelOfCell (0), colour.brighter (0.7f));
    EXPECT_EQ (pixelOfCell (1), colour.brighter (0.25f));
    EXPECT_EQ (pixelOfCell (2), colour);
    EXPECT_EQ (pixelOfCell (5), colour);

    // White strip outline and white separators between the six cells.
    EXPECT_EQ (image.getPixelAt (100, 70), juce::Colours::white);
    EXPECT_EQ (image.getPixelAt (30, 80), juce::Colours::white);
    EXPECT_EQ (image.getPixelAt (309, 80), juce::Colours::white);
    const auto separator = (int) std::floor (30.0f + cellWidth (1));
    EXPECT_GT (wt::strongestAlphaAround (image, separator, 80), 0);
    EXPECT_TRUE (image.getPixelAt (separator, 80).getRed() > pixelOfCell (2).getRed());

    // Clicking the hovered cell chooses it.
    click (cellCentre (1));
    const auto centre = cellCentre (1).toInt();
    EXPECT_EQ (wt::snapshot (picker).getPixelAt (centre.x, centre.y), colour.brighter (0.7f));
}

TEST_F (SpecialTagManagerTest, tabsShowTheChosenTabInWhiteAndTheHoveredOneInLightGrey)
{
    wt::ScopedProgramLook programLook;
    picker.setButtonClicked (1);
    move ({ 200.0f, tabBandY });
    EXPECT_EQ (picker.getHoveredCategory(), 3);

    const auto image = wt::snapshot (picker);

    // Outlines at x = 30 + 57 i, 49 wide and 16 high; captions inside them.
    for (int tab = 0; tab < SpecialTagManager::numTabs; ++tab)
    {
        const auto left = 30 + 57 * tab;
        const auto outline = tab == 1 ? juce::Colours::lightgrey : juce::Colours::darkgrey;
        const auto caption = tab == 1   ? juce::Colours::white
                             : tab == 3 ? juce::Colours::lightgrey
                                        : juce::Colours::grey;

        EXPECT_EQ (image.getPixelAt (left + 20, 40), outline) << "tab " << tab;
        EXPECT_EQ (image.getPixelAt (left, 48), outline) << "tab " << tab;
        EXPECT_EQ (image.getPixelAt (left + 48, 55), outline) << "tab " << tab;
        EXPECT_EQ (image.getPixelAt (left + 49, 48).getAlpha(), 0) << "tab " << tab;

        const auto ink = mostCoveredPixel (image, { left + 1, 41, 47, 14 });
        EXPECT_GT (ink.getAlpha(), 200) << "tab " << tab;
        EXPECT_TRUE (wt::isNear (ink.withAlpha ((juce::uint8) 255), caption, 8)) << "tab " << tab;
    }
}

TEST_F (SpecialTagManagerTest, onlyTheGenreTabCaptionDependsOnTheLanguage)
{
    wt::ScopedProgramLook programLook;
    picker.setLanguage (1);
    const auto english = wt::snapshot (picker);
    picker.setLanguage (0);
    const auto french = wt::snapshot (picker);

    for (int tab = 0; tab < SpecialTagManager::numTabs; ++tab)
    {
        const juce::Rectangle<int> captionBox (26 + 57 * tab, 40, 57, 20);
        EXPECT_EQ (sameArea (english, french, captionBox), tab != 3) << "tab " << tab;
    }
}

//==============================================================================
TEST_F (SpecialTagManagerTest, theLabelsShowTheTagOrCategoryUnderTheMouseAndKeepItAfterTheExit)
{
    EXPECT_EQ (title(), "Choose the tags associated with the advice");
    picker.setLanguage (0);
    EXPECT_EQ (title(), testing_helpers::utf8 ("Choisissez les tags associés au conseil"));
    EXPECT_EQ (description(), "");

    move ({ 150.0f, tabBandY });
    EXPECT_EQ (title(), tags.getNameCategory (2));
    EXPECT_EQ (description(), tags.getDescriptionCategory (2));

    move (cellCentre (1));
    EXPECT_EQ (title(), "Musewheeler");
    EXPECT_EQ (description(), tags.getDescriptionTags (1));

    // From a cell to a tab, and from tab to tab.
    move ({ 40.0f, tabBandY });
    EXPECT_EQ (title(), tags.getNameCategory (0));
    move ({ 300.0f, tabBandY });
    EXPECT_EQ (title(), tags.getNameCategory (4));
    EXPECT_EQ (description(), tags.getDescriptionCategory (4));

    // Off both, the texts stay.
    move ({ 150.0f, 120.0f });
    EXPECT_EQ (title(), tags.getNameCategory (4));

    move (cellCentre (2));
    component().mouseExit (wt::mouseEvent (picker, { 150.0f, 200.0f }));
    EXPECT_EQ (picker.getHoveredTag(), -1);
    EXPECT_EQ (picker.getHoveredCategory(), -1);
    EXPECT_EQ (title(), "Creativity");
    EXPECT_EQ (description(), tags.getDescriptionTags (2));

    picker.setLanguage (1);
    EXPECT_EQ (title(), "Choose the tags associated with the advice");
}

TEST_F (SpecialTagManagerTest, namesFollowTheCatalogueLanguageAndTheCategoryShown)
{
    tags.initDataTagsLibrary (false);
    picker.setButtonClicked (2);
    move (cellCentre (11));
    EXPECT_EQ (title(), "Chant");

    // A press on a tab shows that category's tags without a move.
    press ({ 200.0f, tabBandY });
    release ({ 200.0f, tabBandY });
    click (cellCentre (2));
    EXPECT_EQ (picker.getHashTags(), "302,");

    picker.setButtonClicked (42);
    EXPECT_EQ (picker.getClickedCategory(), 4);
}

TEST_F (SpecialTagManagerTest, atTheEditorsSizeEveryNameAndDescriptionFitsInBothLanguages)
{
    wt::ScopedProgramLook programLook;
    const auto& titleLine = label ("tag-picker-title");
    const auto& descriptionArea = label ("tag-picker-description");
    const auto titleFont = titleLine.getFont();
    const auto descriptionFont = descriptionArea.getFont();

    // Laid out as the look-and-feel lays out unsqueezable text: wrapped inside a 2-pixel border.
    const auto lowestInk = [&] (const juce::String& text)
    {
        juce::GlyphArrangement glyphs;
        glyphs.addJustifiedText (descriptionFont, text, 2.0f, descriptionFont.getAscent() + 2.0f,
                                 (float) descriptionArea.getWidth() - 4.0f, juce::Justification::topLeft);
        return (float) descriptionArea.getY() + glyphs.getBoundingBox (0, -1, true).getBottom();
    };

    for (const auto english : { false, true })
    {
        tags.initDataTagsLibrary (english);

        for (int category = 0; category < DataTags::numCategories; ++category)
        {
            EXPECT_LE (lowestInk (tags.getDescriptionCategory (category)), (float) pickerHeight) << category;
            EXPECT_LE (titleFont.getStringWidthFloat (tags.getNameCategory (category)),
                       (float) titleLine.getWidth() - 4.0f)
                << category;

            for (int position = 0; position < DataTags::getNumTagsInCategory (category); ++position)
            {
                const auto hash = DataTags::getHash (category, position);
                EXPECT_LE (lowestInk (tags.getDescriptionTags (hash)), (float) pickerHeight) << hash;
                EXPECT_LE (titleFont.getStringWidthFloat (tags.getTags (hash)),
                           (float) titleLine.getWidth() - 4.0f)
                    << hash;
            }
        }
    }
}
