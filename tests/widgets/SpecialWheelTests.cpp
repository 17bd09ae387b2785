#include "widgets/SpecialWheel.h"

#include "TestHelpers.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;

namespace
{
// A tall wheel: the drag range U is 170 pixels, the knob rests at y = 77 and reaches down to y = 155.
class SpecialWheelTest : public ::testing::Test
{
protected:
    static constexpr float range = 170.0f;
    static constexpr float pressY = 100.0f;

    void SetUp() override
    {
        wheel.setBounds (0, 0, 70, 200);
        wheel.setMaximum (100);
        wheel.setValue (50);
    }

    void TearDown() override { wheel.stopTimer(); }

    void dragBy (float distance)
    {
        wheel.mouseDrag (wt::mouseEvent (wheel, { 35.0f, pressY + distance }, { 35.0f, pressY }, 1, true));
    }

    void release() { wt::release (wheel, { 35.0f, pressY }); }

    // One tick as the timer would deliver it, without waiting for it.
    void tick() { static_cast<juce::Timer&> (wheel).timerCallback(); }

    // Takes the delivered change messages since the last call.
    int messages()
    {
        testing_helpers::deliverMessages();
        const auto count = changes.count;
        changes.count = 0;
        return count;
    }

    bool knobCentredAt (float y)
    {
        return wt::snapshot (wheel).getPixelAt (35, (int) y) == juce::Colours::violet;
    }

    wt::ScopedProgramLook programLook;
    SpecialWheel wheel;
    wt::ChangeCounter changes{ wheel };
};
} // namespace

TEST_F (SpecialWheelTest, dragZonesSetTheDirectionAndTheStepPeriod)
{
    struct Zone
    {
        float distance;
        bool steps;
        int step;
        int period;
        float knobTop;
    };

    // Every zone holds distances strictly beyond its lower bound, so both bounds of the dead zone and the
    // ends of the upward zones belong to the zone farther up.
    const Zone zones[] = {
        { 0.80f * range, true, -1, 10, 155.0f },
        { 0.75f * range + 0.5f, true, -1, 10, 155.0f },
        { 0.75f * range, true, -1, 80, 77.0f + 52.0f },
        { 0.50f * range, true, -1, 80, 77.0f + 52.0f },
        { 0.45f * range, true, -1, 200, 77.0f + 26.0f },
        { 0.20f * range, true, -1, 200, 77.0f + 26.0f },
        { 0.15f * range, false, 0, 0, 77.0f },
        { 0.0f, false, 0, 0, 77.0f },
        { -0.15f * range + 0.5f, false, 0, 0, 77.0f },
        { -0.15f * range, true, 1, 200, 77.0f * 2.0f / 3.0f },
        { -0.45f * range + 0.5f, true, 1, 200, 77.0f * 2.0f / 3.0f },
        { -0.50f * range, true, 1, 80, 77.0f / 3.0f },
        { -0.75f * range + 0.5f, true, 1, 80, 77.0f / 3.0f },
        { -0.75f * range, true, 1, 10, 1.0f },
    };

    for (const auto& zone : zones)
    {
        SCOPED_TRACE ("distance " + juce::String (zone.distance));
        wheel.setValue (50);
        dragBy (zone.distance);

        EXPECT_EQ (wheel.isTimerRunning(), zone.steps);
        EXPECT_TRUE (knobCentredAt (zone.knobTop + 8.0f));

        if (zone.steps)
        {
            EXPECT_EQ (wheel.getTimerInterval(), zone.period);
            tick();
            EXPECT_EQ (wheel.getValue(), 50 + zone.step);
        }

        if (zone.steps)
        {
            EXPECT_FALSE (knobCentredAt (85.0f));
        }

        wheel.stopTimer();
    }
}

TEST_F (SpecialWheelTest, aRunningTimerTakesTheNewPeriodAtItsNextTick)
{
    dragBy (0.3f * range);
    EXPECT_EQ (wheel.getTimerInterval(), 200);

    dragBy (-0.9f * range);
    EXPECT_EQ (wheel.getTimerInterval(), 200);
    EXPECT_TRUE (knobCentredAt (9.0f));

    tick();
    EXPECT_EQ (wheel.getValue(), 51);
    EXPECT_EQ (wheel.getTimerInterval(), 10);
}

TEST_F (SpecialWheelTest, slowStepsAreAnnouncedOneByOneAndFastOnesWhenTheMouseIsReleased)
{
    dragBy (0.5f * range);
    tick();
    wheel.stopTimer();
    EXPECT_EQ (wheel.getValue(), 49);
    EXPECT_EQ (messages(), 1);

    dragBy (-0.3f * range);
    tick();
    wheel.stopTimer();
    EXPECT_EQ (wheel.getValue(), 50);
    EXPECT_EQ (messages(), 1);

    dragBy (0.9f * range);
    for (int i = 0; i < 3; ++i)
        tick();
    wheel.stopTimer();
    EXPECT_EQ (wheel.getValue(), 47);
    EXPECT_EQ (messages(), 0);

    dragBy (0.9f * range);
    release();
    EXPECT_FALSE (wheel.isTimerRunning());
    EXPECT_TRUE (knobCentredAt (85.0f));
    EXPECT_EQ (messages(), 1);

    // Releasing without stepping tells nothing.
    release();
    EXPECT_EQ (messages(), 0);
}

TEST_F (SpecialWheelTest, goingBackToTheDeadZoneStopsAndAnnouncesWhereSteppingEnded)
{
    dragBy (0.9f * range);
    tick();
    tick();
    // The real timer may add steps of its own meanwhile, unannounced as well.
    EXPECT_EQ (messages(), 0);
    const auto reached = wheel.getValue();
    EXPECT_LE (reached, 48);

    dragBy (0.05f * range);
    EXPECT_FALSE (wheel.isTimerRunning());
    EXPECT_TRUE (knobCentredAt (85.0f));
    EXPECT_EQ (wheel.getValue(), reached);
    EXPECT_EQ (messages(), 1);

    // Nothing more to tell: neither staying in the dead zone nor releasing there.
    dragBy (-0.05f * range);
    release();
    EXPECT_EQ (messages(), 0);
}

TEST_F (SpecialWheelTest, steppingStopsAtBothEndsAndStillAnnouncesTheSlowSteps)
{
    wheel.setValue (0);
    dragBy (0.5f * range);
    tick();
    wheel.stopTimer();
    EXPECT_EQ (wheel.getValue(), 0);
    EXPECT_EQ (messages(), 1);

    wheel.setValue (99);
    dragBy (-0.5f * range);
    tick();
    wheel.stopTimer();
    EXPECT_EQ (wheel.getValue(), 99);
    EXPECT_EQ (messages(), 1);
}

TEST_F (SpecialWheelTest, theRealTimerStepsUntilTheMouseIsReleased)
{
    dragBy (0.5f * range);
    ASSERT_TRUE (wheel.isTimerRunning());

    testing_helpers::deliverMessages (450);
    const auto stepsTaken = 50 - wheel.getValue();
    EXPECT_GE (stepsTaken, 1);
    EXPECT_LE (stepsTaken, 450 / 80 + 1);
    EXPECT_GE (changes.count, 1);

    release();
    EXPECT_FALSE (wheel.isTimerRunning());
    const auto valueAtRelease = wheel.getValue();
    testing_helpers::deliverMessages (200);
    EXPECT_EQ (wheel.getValue(), valueAtRelease);
}

TEST_F (SpecialWheelTest, wheelStepsByOneWhateverTheDeltaAndStaysWithinTheLimits)
{
    wheel.mouseWheelMove (wt::wheelDetails (0.1f));
    EXPECT_EQ (wheel.getValue(), 51);
    wheel.mouseWheelMove (wt::wheelDetails (12.0f));
    EXPECT_EQ (wheel.getValue(), 52);
    wheel.mouseWheelMove (wt::wheelDetails (-3.0f));
    EXPECT_EQ (wheel.getValue(), 51);
    wheel.mouseWheelMove (wt::wheelDetails (0.5f, true));
    EXPECT_EQ (wheel.getValue(), 50);
    wheel.mouseWheelMove (wt::wheelDetails (-0.5f, true));
    EXPECT_EQ (wheel.getValue(), 51);
    EXPECT_EQ (messages(), 1);

    // A sideways turn is no step.
    wheel.mouseWheelMove (wt::wheelDetails (0.0f));
    EXPECT_EQ (wheel.getValue(), 51);
    EXPECT_EQ (messages(), 0);

    wheel.setMaximum (5);
    wheel.setValue (4);
    wheel.mouseWheelMove (wt::wheelDetails (1.0f));
    EXPECT_EQ (wheel.getValue(), 4);
    EXPECT_EQ (messages(), 1);

    wheel.setValue (0);
    wheel.mouseWheelMove (wt::wheelDetails (-1.0f));
    EXPECT_EQ (wheel.getValue(), 0);
    EXPECT_EQ (messages(), 1);

    // The toolkit's wheel event over the wheel takes the same road.
    static_cast<juce::Component&> (wheel).mouseWheelMove (wt::mouseEvent (wheel, { 35.0f, 50.0f }),
                                                          wt::wheelDetails (1.0f));
    EXPECT_EQ (wheel.getValue(), 1);
    EXPECT_EQ (messages(), 1);
}

TEST_F (SpecialWheelTest, doubleClickGoesBackToTheFirstValue)
{
    wt::press (wheel, { 35.0f, pressY });
    EXPECT_EQ (wheel.getValue(), 50);
    EXPECT_EQ (messages(), 0);

    wheel.mouseDown (wt::mouseEvent (wheel, { 35.0f, pressY }, 2));
    EXPECT_EQ (wheel.getValue(), 0);
    EXPECT_EQ (messages(), 1);

    // The counter then shows what a wheel set to 0 by its owner shows: 1 over the maximum.
    SpecialWheel reference;
    reference.setBounds (wheel.getBounds());
    reference.setMaximum (100);
    reference.setValue (0);
    const auto shown = wt::snapshot (wheel);
    const auto expected = wt::snapshot (reference);

    for (int y = 175; y < 200; ++y)
        for (int x = 0; x < 70; ++x)
            ASSERT_EQ (shown.getPixelAt (x, y), expected.getPixelAt (x, y)) << x << "," << y;
}

TEST_F (SpecialWheelTest, counterShowsThePositionOverTheCount)
{
    const juce::Rectangle<int> positionRows (0, 176, 70, 10);
    const juce::Rectangle<int> countRows (0, 188, 70, 10);

    const auto differences = [] (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
    {
        int count = 0;

        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                count += a.getPixelAt (x, y) != b.getPixelAt (x, y) ? 1 : 0;

        return count;
    };

    const auto before = wt::snapshot (wheel);
    const auto isLightGrey = [] (juce::Colour c) { return c.getRed() > 150 && c.getRed() == c.getBlue(); };
    EXPECT_GT (wt::countPixels (before, positionRows, isLightGrey), 5);
    EXPECT_GT (wt::countPixels (before, countRows, isLightGrey), 5);
    EXPECT_EQ (before.getPixelAt (35, 176), juce::Colours::black);

    wheel.setValue (7);
    const auto otherValue = wt::snapshot (wheel);
    EXPECT_GT (differences (before, otherValue, positionRows), 5);
    EXPECT_EQ (differences (before, otherValue, countRows), 0);

    wheel.setMaximum (12);
    EXPECT_GT (differences (otherValue, wt::snapshot (wheel), countRows), 5);
}

TEST_F (SpecialWheelTest, nothingToSelectShowsOnlyTheGuideLine)
{
    for (const auto& [value, maximum] : { std::pair<int, int> (-1, 10), { 3, -1 }, { -1, -1 } })
    {
        wheel.setValue (value);
        wheel.setMaximum (maximum);
        const auto image = wt::snapshot (wheel);

        EXPECT_GT (wt::countPixels (image, { 34, 1, 2, 169 }, wt::isPainted), 160);
        EXPECT_EQ (wt::countPixels (image, { 0, 0, 34, 200 }, wt::isPainted), 0);
        EXPECT_EQ (wt::countPixels (image, { 36, 0, 34, 200 }, wt::isPainted), 0);
        EXPECT_EQ (wt::countPixels (image, { 0, 171, 70, 29 }, wt::isPainted), 0);
    }
}
