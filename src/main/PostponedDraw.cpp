#include "main/PostponedDraw.h"

PostponedDraw::PostponedDraw (const juce::Button& favoriteButton, const juce::Button& newAdviceButton)
    : favorite (favoriteButton)
    , newAdvice (newAdviceButton)
{
}

bool PostponedDraw::mayDrawNow()
{
    held = pointerOnButtons();
    return !held;
}

bool PostponedDraw::heldDrawReleased()
{
    if (!held || pointerOnButtons())
        return false;

    held = false;
    return true;
}

bool PostponedDraw::pointerOnButtons() const
{
    // A button is "over" from the pointer's arrival until it leaves, pressed or not.
    return favorite.isOver() || newAdvice.isOver();
}
