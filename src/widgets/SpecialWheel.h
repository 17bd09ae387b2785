#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A vertical jog control selecting a value in 0 .. maximum - 1. Pulling the knob away from its rest
// position keeps the value stepping, faster the farther it is pulled, until the mouse is released; the
// mouse wheel steps by one and a double click goes back to 0. User changes are announced with change
// messages; the setters stay silent, and -1 in either field means that there is nothing to select.
class SpecialWheel final
    : public juce::Component
    , public juce::ChangeBroadcaster
    , public juce::Timer
{
public:
    SpecialWheel();
    ~SpecialWheel() override;

    void setValue (int newValue);
    int getValue() const;
    void setMaximum (int newMaximum);
    int getMaximum() const;

    // One step per event, whatever its size; owners forward wheel turns received by other widgets here.
    void mouseWheelMove (const juce::MouseWheelDetails& wheel);

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void paint (juce::Graphics&) override;
    void timerCallback() override;

    // Step periods of the three drag zones on either side of the rest position, in milliseconds.
    static constexpr int fastPeriod = 10;
    static constexpr int mediumPeriod = 80;
    static constexpr int slowPeriod = 200;

private:
    void stepWhileDragged (bool up, int period);

    int value = 100;
    int maximum = 300;
    bool stepUp = true;
    int stepPeriod = slowPeriod;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpecialWheel)
};
