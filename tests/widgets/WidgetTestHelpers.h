#pragma once

#include "widgets/CustomLookAndFeel.h"
#include "widgets/SyntheticMouse.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace widget_testing
{
// A mouse event as the toolkit would deliver it to the component, in the component's coordinates, with
// the left button held.
inline juce::MouseEvent mouseEvent (juce::Component& component, juce::Point<float> position,
                                    juce::Point<float> downPosition, int clicks = 1, bool dragged = false)
{
    return SyntheticMouse::event (component, position, juce::ModifierKeys::leftButtonModifier, downPosition,
                                  clicks, dragged);
}

inline juce::MouseEvent mouseEvent (juce::Component& component, juce::Point<float> position, int clicks = 1)
{
    return mouseEvent (component, position, position, clicks);
}

// Handlers are reached through juce::Component&, where they are public, as the toolkit calls them.
inline void enter (juce::Component& component, juce::Point<float> position)
{
    component.mouseEnter (mouseEvent (component, position));
}

inline void press (juce::Component& component, juce::Point<float> position)
{
    component.mouseDown (mouseEvent (component, position));
}

inline void release (juce::Component& component, juce::Point<float> position)
{
    component.mouseUp (mouseEvent (component, position));
}

inline void leave (juce::Component& component, juce::Point<float> position)
{
    component.mouseExit (mouseEvent (component, position));
}

inline void click (juce::Component& component, juce::Point<float> position)
{
    component.mouseDown (mouseEvent (component, position));
    component.mouseUp (mouseEvent (component, position));
}

inline juce::MouseWheelDetails wheelDetails (float deltaY, bool reversed = false)
{
    juce::MouseWheelDetails wheel{};
    wheel.deltaX = 0.0f;
    wheel.deltaY = deltaY;
    wheel.isReversed = reversed;
    wheel.isSmooth = false;
    wheel.isInertial = false;
    return wheel;
}

// Counts the change messages delivered to it.
class ChangeCounter final : public juce::ChangeListener
{
public:
    explicit ChangeCounter (juce::ChangeBroadcaster& broadcasterToWatch)
        : broadcaster (broadcasterToWatch)
    {
        broadcaster.addChangeListener (this);
    }

    ~ChangeCounter() override { broadcaster.removeChangeListener (this); }

    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }

    int count = 0;

private:
    juce::ChangeBroadcaster& broadcaster;

    JUCE_DECLARE_NON_COPYABLE (ChangeCounter)
};

// Keeps the action messages delivered to it.
class ActionRecorder final : public juce::ActionListener
{
public:
    explicit ActionRecorder (juce::ActionBroadcaster& broadcasterToWatch)
        : broadcaster (broadcasterToWatch)
    {
        broadcaster.addActionListener (this);
    }

    ~ActionRecorder() override { broadcaster.removeActionListener (this); }

    void actionListenerCallback (const juce::String& message) override { messages.add (message); }

    juce::StringArray messages;

private:
    juce::ActionBroadcaster& broadcaster;

    JUCE_DECLARE_NON_COPYABLE (ActionRecorder)
};

// The program's look installed as the toolkit's default for the lifetime of the object, as the main
// screen does; declared before the components it draws so that it outlives them.
class ScopedProgramLook final
{
public:
    ScopedProgramLook() { juce::LookAndFeel::setDefaultLookAndFeel (&look); }
    ~ScopedProgramLook() { juce::LookAndFeel::setDefaultLookAndFeel (nullptr); }

    CustomLookAndFeel look;

private:
    JUCE_DECLARE_NON_COPYABLE (ScopedProgramLook)
};

inline juce::Image snapshot (juce::Component& component)
{
    return component.createComponentSnapshot (component.getLocalBounds());
}

inline int countPixels (const juce::Image& image, juce::Rectangle<int> area,
                        const std::function<bool (juce::Colour)>& predicate)
{
    int count = 0;
    area = area.getIntersection (image.getBounds());

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (predicate (image.getPixelAt (x, y)))
                ++count;

    return count;
}

inline bool isPainted (juce::Colour colour)
{
    return colour.getAlpha() > 0;
}

// The strongest alpha around a point: thin antialiased lines spread over neighbouring pixels.
inline int strongestAlphaAround (const juce::Image& image, int x, int y, int radius = 1)
{
    int strongest = 0;

    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (image.getBounds().contains (x + dx, y + dy))
                strongest = juce::jmax (strongest, (int) image.getPixelAt (x + dx, y + dy).getAlpha());

    return strongest;
}

inline bool isNear (juce::Colour actual, juce::Colour expected, int tolerance = 3)
{
    return std::abs (actual.getRed() - expected.getRed()) <= tolerance &&
           std::abs (actual.getGreen() - expected.getGreen()) <= tolerance &&
           std::abs (actual.getBlue() - expected.getBlue()) <= tolerance &&
           std::abs (actual.getAlpha() - expected.getAlpha()) <= tolerance;
}
} // namespace widget_testing
