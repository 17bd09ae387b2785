#include "main/MenuKeyHolder.h"

MenuKeyHolder::MenuKeyHolder (juce::Component& windowToWatch)
    : window (&windowToWatch)
{
    windowToWatch.addKeyListener (this);
}

MenuKeyHolder::~MenuKeyHolder()
{
    stopHolding();
}

void MenuKeyHolder::stopHolding()
{
    if (holding && window != nullptr)
        window->removeKeyListener (this);

    holding = false;
}

bool MenuKeyHolder::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    held.add (key);
    return true;
}

void MenuKeyHolder::handOn()
{
    stopHolding();

    // Each key as the window's peer delivers a key typed: to the focused component, then up its parents.
    for (const auto& key : held)
    {
        auto* peer = window != nullptr ? window->getPeer() : nullptr;

        if (peer == nullptr)
            break;

        peer->handleKeyPress (key);
    }

    held.clear();
}
