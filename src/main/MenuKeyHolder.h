#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Holds the keys typed into the main window while the main menu's own modal loop runs, and types them again
// into whatever has the keyboard focus once the choice is carried out. The loop goes on dispatching events
// for a moment after the menu has closed, before the choice is known: a Control+N typed right after "Sets
// edition" reached the main window, where nothing takes it, instead of the set editor that opened next.
class MenuKeyHolder final : private juce::KeyListener
{
public:
    // Starts holding the keys that reach window.
    explicit MenuKeyHolder (juce::Component& window);
    ~MenuKeyHolder() override;

    // Stops holding, and types the keys held into the window as it stands now.
    void handOn();

private:
    bool keyPressed (const juce::KeyPress& key, juce::Component*) override;
    void stopHolding();

    juce::Component::SafePointer<juce::Component> window;
    juce::Array<juce::KeyPress> held;
    bool holding = true;

    JUCE_DECLARE_NON_COPYABLE (MenuKeyHolder)
};
