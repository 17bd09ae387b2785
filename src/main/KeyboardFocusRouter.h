#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// Where the main screen's keys go: to the set editor or the options panel while it is open over the
// screen, else to the screen itself (the About panel takes no keys of its own). Focus that strays elsewhere
// in the screen's window is brought back there; focus in another window is left alone.
class KeyboardFocusRouter final
{
public:
    explicit KeyboardFocusRouter (juce::Component& mainScreen);

    // The panel that takes the keys while it is visible, alone; none until the panels are made.
    void setKeyTakingPanel (juce::Component* panel);

    // One more such panel, below those given before.
    void addKeyTakingPanel (juce::Component& panel) { keyTakingPanels.add (&panel); }

    juce::Component& getTarget() const;

    // Hands the keyboard focus to the target.
    void giveFocusToTarget();

    // The window gives the focus back to what held it before it lost it, which may be the screen though
    // the set editor has opened over it meanwhile.
    void screenGainedFocus();

    // Where the focus went anywhere on the desktop, or nullptr.
    void focusMovedTo (juce::Component* focusedComponent);

    // Where the keyboard focus is handed; tests, whose components are on no desktop, put a recorder here.
    void setFocusGiver (std::function<void (juce::Component&)> giver);

private:
    juce::Component& screen;
    juce::Array<juce::Component*> keyTakingPanels;
    std::function<void (juce::Component&)> focusGiver;

    JUCE_DECLARE_NON_COPYABLE (KeyboardFocusRouter)
};
