#include "widgets/KeyboardFocusMark.h"

#include "widgets/SpecialButton.h"

KeyboardFocusMark::KeyboardFocusMark (juce::Component& markedOwner)
    : owner (markedOwner)
    , focusGiver ([] (juce::Component& component) { component.grabKeyboardFocus(); })
{
    owner.addMouseListener (this, true);
    juce::Desktop::getInstance().addFocusChangeListener (this);
}

KeyboardFocusMark::~KeyboardFocusMark()
{
    juce::Desktop::getInstance().removeFocusChangeListener (this);
    owner.removeMouseListener (this);
}

bool KeyboardFocusMark::moveFocus (const juce::KeyPress& key)
{
    if (key.getKeyCode() != juce::KeyPress::tabKey)
        return false;

    const auto mods = key.getModifiers();

    if (mods.isCommandDown() || mods.isCtrlDown() || mods.isAltDown())
        return false;

    auto* current = marked.getComponent();

    if (current == nullptr)
        current = juce::Component::getCurrentlyFocusedComponent();

    auto* next = nextFrom (current, !mods.isShiftDown());

    if (next == nullptr)
        return false;

    marked = next;
    focusGiver (*next);
    owner.repaint();
    return true;
}

juce::Component* KeyboardFocusMark::nextFrom (juce::Component* current, bool forwards) const
{
    // The toolkit's own order: explicit focus orders first, then top to bottom and left to right.
    const auto candidates = juce::KeyboardFocusTraverser().getAllComponents (&owner);

    if (candidates.empty())
        return nullptr;

    const auto found = std::find (candidates.begin(), candidates.end(), current);

    if (found == candidates.end())
        return forwards ? candidates.front() : candidates.back();

    const auto index = (size_t) std::distance (candidates.begin(), found);
    const auto count = candidates.size();
    return candidates[(index + (forwards ? 1 : count - 1)) % count];
}

void KeyboardFocusMark::hide()
{
    if (marked == nullptr)
        return;

    marked = nullptr;
    owner.repaint();
}

void KeyboardFocusMark::paintOver (juce::Graphics& g) const
{
    auto* component = marked.getComponent();

    if (component == nullptr || !component->isVisible())
        return;

    const auto bounds = owner.getLocalArea (component, component->getLocalBounds()).toFloat();
    g.setColour (juce::Colours::white);

    if (auto* round = dynamic_cast<SpecialButton*> (component))
    {
        const auto circle = round->getCircleBounds().translated (bounds.getX(), bounds.getY());
        g.drawEllipse (circle.expanded (gap + thickness * 0.5f), thickness);
    }
    else
    {
        g.drawRoundedRectangle (bounds.expanded (gap - 1.0f), 3.0f, thickness);
    }
}

void KeyboardFocusMark::setFocusGiver (std::function<void (juce::Component&)> giver)
{
    focusGiver = std::move (giver);
}

void KeyboardFocusMark::mouseDown (const juce::MouseEvent&)
{
    hide();
}

void KeyboardFocusMark::globalFocusChanged (juce::Component* focusedComponent)
{
    // The focus moved by the program (a draw hands it back to the screen) or by the mouse.
    if (focusedComponent != marked.getComponent())
        hide();
}
