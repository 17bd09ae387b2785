#include "main/KeyboardFocusRouter.h"

KeyboardFocusRouter::KeyboardFocusRouter (juce::Component& mainScreen)
    : screen (mainScreen)
    , focusGiver (
          [] (juce::Component& component)
          {
              // Only a component on screen can hold the focus.
              if (component.isShowing())
                  component.grabKeyboardFocus();
          })
{
}

void KeyboardFocusRouter::setKeyTakingPanel (juce::Component* panel)
{
    keyTakingPanels.clear();

    if (panel != nullptr)
        keyTakingPanels.add (panel);
}

juce::Component& KeyboardFocusRouter::getTarget() const
{
    for (auto* panel : keyTakingPanels)
        if (panel->isVisible())
            return *panel;

    return screen;
}

void KeyboardFocusRouter::giveFocusToTarget()
{
    focusGiver (getTarget());
}

void KeyboardFocusRouter::screenGainedFocus()
{
    if (&getTarget() != &screen)
        giveFocusToTarget();
}

void KeyboardFocusRouter::focusMovedTo (juce::Component* focusedComponent)
{
    // Focus that rests in this window outside the component meant to take the keys (on the window
    // itself, or behind the set editor on the screen or one of its buttons) goes to that component.
    if (focusedComponent == nullptr)
        return;

    auto* window = screen.getTopLevelComponent();

    if (focusedComponent != window && !window->isParentOf (focusedComponent))
        return;

    auto& target = getTarget();

    if (focusedComponent != &target && !target.isParentOf (focusedComponent))
        giveFocusToTarget();
}

void KeyboardFocusRouter::setFocusGiver (std::function<void (juce::Component&)> giver)
{
    focusGiver = std::move (giver);
}
