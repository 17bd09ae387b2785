#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The advice timer's draw held back while the pointer rests on the star or the "+": a draw at that moment
// would change the advice under a click meant for the one being read. The held draw is made once the
// pointer has left both.
class PostponedDraw final
{
public:
    PostponedDraw (const juce::Button& favoriteButton, const juce::Button& newAdviceButton);

    // The timer's draw is due: true when it may be made now, false when it is held.
    bool mayDrawNow();

    // After a change of the buttons' states: true, once, when a held draw may be made now.
    bool heldDrawReleased();

    // A draw made otherwise (the "+", the options, a stopped timer) takes the held one's place.
    void drop() { held = false; }

    bool isHolding() const { return held; }

private:
    bool pointerOnButtons() const;

    const juce::Button& favorite;
    const juce::Button& newAdvice;
    bool held = false;

    JUCE_DECLARE_NON_COPYABLE (PostponedDraw)
};
