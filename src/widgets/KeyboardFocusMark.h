#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// A mark around the component inside an owner that holds the keyboard focus, shown only once the focus
// was moved there with the keyboard (Tab, Shift+Tab), and gone at the next mouse press or when the focus
// goes elsewhere: a mouse user's screen keeps its look. The owner hands its Tab keys here and paints the
// mark over its children.
class KeyboardFocusMark final
    : private juce::MouseListener
    , private juce::FocusChangeListener
{
public:
    explicit KeyboardFocusMark (juce::Component& owner);
    ~KeyboardFocusMark() override;

    // Tab and Shift+Tab move the focus to the next or previous component inside the owner that takes it,
    // in reading order and round, and mark it; true when the key was one of them.
    bool moveFocus (const juce::KeyPress& key);

    // The component marked now, or nullptr.
    juce::Component* getMarked() const { return marked.getComponent(); }

    void hide();

    // Draws the mark, in the owner's coordinates: a ring around a round button's circle, else a frame
    // around the component.
    void paintOver (juce::Graphics&) const;

    // Where the focus is handed; tests, whose components are on no desktop, put a recorder here.
    void setFocusGiver (std::function<void (juce::Component&)> giver);

    static constexpr float thickness = 2.0f;
    static constexpr float gap = 3.0f;

private:
    juce::Component* nextFrom (juce::Component* current, bool forwards) const;
    void mouseDown (const juce::MouseEvent&) override;
    void globalFocusChanged (juce::Component* focusedComponent) override;

    juce::Component& owner;
    juce::Component::SafePointer<juce::Component> marked;
    std::function<void (juce::Component&)> focusGiver;

    JUCE_DECLARE_NON_COPYABLE (KeyboardFocusMark)
};
