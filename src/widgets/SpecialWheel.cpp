#include "widgets/SpecialWheel.h"
#include "widgets/CustomLookAndFeel.h"

namespace
{
// The bottom of the component holds the counter box; the guide line and the drag range stop above it.
constexpr int counterSpace = 30;
constexpr float knobSize = 16.0f;
constexpr float counterFontHeight = 12.0f;
} // namespace

SpecialWheel::SpecialWheel() = default;

SpecialWheel::~SpecialWheel()
{
    stopTimer();
}

void SpecialWheel::setValue (int newValue)
{
    value = newValue;
    repaint();
}

int SpecialWheel::getValue() const
{
    return value;
}

void SpecialWheel::setMaximum (int newMaximum)
{
    maximum = newMaximum;
    repaint();
}

int SpecialWheel::getMaximum() const
{
    return maximum;
}

void SpecialWheel::mouseWheelMove (const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY == 0.0f)
        return;

    const auto up = (wheel.deltaY > 0.0f) != wheel.isReversed;

    if (up)
    {
        ++value;

        if (value >= maximum)
            value = maximum - 1;
    }
    else
    {
        value = value > 0 ? value - 1 : 0;
    }

    repaint();
    sendChangeMessage();
}

void SpecialWheel::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    mouseWheelMove (wheel);
}

void SpecialWheel::mouseDown (const juce::MouseEvent& event)
{
    if (event.getNumberOfClicks() < 2)
        return;

    value = 0;
    repaint();
    sendChangeMessage();
}

void SpecialWheel::mouseDrag (const juce::MouseEvent& event)
{
    const auto distance = event.position.y - event.mouseDownPosition.y;
    const auto range = (float) (getHeight() - counterSpace);

    const auto farZone = range * 1.5f * 0.5f;
    const auto middleZone = range * 1.5f * 3.0f / 10.0f;
    const auto nearZone = range * 1.5f / 10.0f;

    if (distance > farZone)
        stepWhileDragged (false, fastPeriod);
    else if (distance > middleZone)
        stepWhileDragged (false, mediumPeriod);
    else if (distance > nearZone)
        stepWhileDragged (false, slowPeriod);
    else if (distance > -nearZone)
    {
        if (isTimerRunning())
        {
            stopTimer();
            // Steps taken at the fastest rate are not announced one by one: tell the owner where they ended.
            sendChangeMessage();
        }

        repaint();
    }
    else if (distance > -middleZone)
        stepWhileDragged (true, slowPeriod);
    else if (distance > -farZone)
        stepWhileDragged (true, mediumPeriod);
    else
        stepWhileDragged (true, fastPeriod);
}

void SpecialWheel::stepWhileDragged (bool up, int period)
{
    stepUp = up;
    stepPeriod = period;

    // A running timer takes the new period at its next tick.
    if (!isTimerRunning())
        startTimer (period);

    repaint();
}

void SpecialWheel::mouseUp (const juce::MouseEvent&)
{
    if (!isTimerRunning())
        return;

    stopTimer();
    repaint();
    sendChangeMessage();
}

void SpecialWheel::timerCallback()
{
    value += stepUp ? 1 : -1;

    if (value < 0)
        value = 0;

    if (value >= maximum)
        value = maximum - 1;

    repaint();

    // At the fastest rate the owner would redraw for every step; it hears of the value when stepping ends.
    if (stepPeriod > fastPeriod)
        sendChangeMessage();

    startTimer (stepPeriod);
}

void SpecialWheel::paint (juce::Graphics& g)
{
    const auto width = getWidth();
    const auto height = getHeight();
    const auto guideX = std::floor ((float) width * 0.5f);

    g.setColour (juce::Colours::white);
    g.drawLine (guideX, 1.0f, guideX, (float) (height - counterSpace), 1.0f);

    if (maximum < 0 || value < 0)
        return;

    // The knob shows the stepping speed: the farther from rest, the faster.
    const auto rest = (float) height * 0.5f - 23.0f;
    const auto bottom = (float) height - 45.0f;
    auto knobY = rest;

    if (isTimerRunning())
    {
        if (stepUp)
            knobY = stepPeriod == fastPeriod     ? 1.0f
                    : stepPeriod == mediumPeriod ? rest / 3.0f
                                                 : 2.0f * rest / 3.0f;
        else
            knobY = stepPeriod == fastPeriod     ? bottom
                    : stepPeriod == mediumPeriod ? rest + 2.0f * (bottom - rest) / 3.0f
                                                 : rest + (bottom - rest) / 3.0f;
    }

    const juce::Rectangle<float> knob ((float) width * 0.5f - knobSize * 0.5f, knobY, knobSize, knobSize);
    g.setColour (juce::Colours::violet);
    g.fillEllipse (knob);
    g.setColour (juce::Colours::darkgrey);
    g.drawEllipse (knob, 1.0f);

    const auto font = CustomLookAndFeel::programFont (counterFontHeight, juce::Font::plain);
    const auto countText = "/" + juce::String (maximum);
    const auto textWidth = font.getStringWidth (countText) + 4;
    const auto centreX = width / 2;

    const juce::Rectangle<float> box ((float) centreX - (float) textWidth * 0.5f - 4.0f,
                                      (float) (height - 25), (float) (textWidth + 8), 25.0f);
    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (box, 5.0f);
    g.setColour (juce::Colours::darkgrey);
    g.drawRoundedRectangle (box, 5.0f, 1.0f);

    // The user sees the 1-based position over the count.
    const auto textLeft = centreX - textWidth / 2;
    g.setColour (juce::Colours::lightgrey);
    g.setFont (font);
    g.drawFittedText (juce::String (value + 1), textLeft, height - 24, textWidth, 12,
                      juce::Justification::topLeft, 1, 0.7f);
    g.drawFittedText (countText, textLeft, height - 14, textWidth, 12, juce::Justification::topRight, 1,
                      0.7f);
}
