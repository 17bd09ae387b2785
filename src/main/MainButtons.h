#pragma once

#include "widgets/SpecialButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The main screen's three round buttons along its bottom edge: new advice and favourite on the right, the
// menu on the left. They are the screen's children, in the current set's colour, and pass their clicks
// and keys to the screen.
class MainButtons final
{
public:
    // Made in this order: new advice, menu, favourite, the favourite showing no mark.
    MainButtons (juce::Component& screen, juce::Button::Listener& clicks, juce::KeyListener& keys);

    SpecialButton& getNewAdvice() { return newAdvice; }
    SpecialButton& getMenu() { return menu; }
    SpecialButton& getFavorite() { return favorite; }

    // The titles that screen readers announce, in the interface language.
    void setLanguage (int language);

    void setColour (juce::Colour colour);

    // In the bottom corners of a screen of that size.
    void layOut (int screenWidth, int screenHeight);

private:
    SpecialButton newAdvice;
    SpecialButton menu;
    SpecialButton favorite;

    JUCE_DECLARE_NON_COPYABLE (MainButtons)
};
