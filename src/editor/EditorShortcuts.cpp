#include "editor/EditorShortcuts.h"

namespace
{
bool isPlusKey (const juce::KeyPress& key)
{
    return key.getKeyCode() == '+' || key.getTextCharacter() == '+' ||
           key.getKeyCode() == juce::KeyPress::numberPadAdd;
}

// "+" is typed with Shift on most keyboards, so Shift may join Control there.
bool isControlPlus (const juce::KeyPress& key)
{
    const auto modifiers =
        key.getModifiers().withoutMouseButtons().withoutFlags (juce::ModifierKeys::shiftModifier);
    return modifiers == juce::ModifierKeys (juce::ModifierKeys::ctrlModifier) && isPlusKey (key);
}

bool isControlLetter (const juce::KeyPress& key, char letter)
{
    return key == juce::KeyPress (letter, juce::ModifierKeys::ctrlModifier, 0);
}
} // namespace

EditorShortcuts::Command EditorShortcuts::getCommand (const juce::KeyPress& key)
{
    if (isControlLetter (key, 's'))
        return Command::save;

    if (isControlLetter (key, 'o'))
        return Command::open;

    if (isControlLetter (key, 'n'))
        return Command::newSet;

    if (isControlLetter (key, 'w'))
        return Command::close;

    if (isControlPlus (key))
        return Command::addAdvice;

    return Command::none;
}
