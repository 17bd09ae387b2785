#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Mouse events made up for a component, as the toolkit would deliver them to it, for the tests and the
// developer programs that drive widgets without a pointer. Header-only and included by nothing in the
// program, so it adds nothing to it; it sits here because both link the library and find it by path.
struct SyntheticMouse final
{
    // An event at a position in the component's coordinates, from the main mouse source, with the
    // toolkit's default pen values and both times "now".
    static juce::MouseEvent event (juce::Component& component, juce::Point<float> position,
                                   juce::ModifierKeys modifiers, juce::Point<float> downPosition,
                                   int clicks = 1, bool dragged = false)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, modifiers,
                                 juce::MouseInputSource::defaultPressure,
                                 juce::MouseInputSource::defaultOrientation,
                                 juce::MouseInputSource::defaultRotation,
                                 juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY,
                                 &component, &component, now, downPosition, now, clicks, dragged);
    }

    // A single click's event that went down where it is.
    static juce::MouseEvent event (juce::Component& component, juce::Point<float> position,
                                   juce::ModifierKeys modifiers = {})
    {
        return event (component, position, modifiers, position);
    }
};
