#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The set editor's keyboard shortcuts: Control with S, O, N or W, and Control with "+", each standing for
// one of the editor's buttons.
class EditorShortcuts final
{
public:
    enum class Command
    {
        none,
        save,
        open,
        newSet,
        close,
        addAdvice
    };

    static Command getCommand (const juce::KeyPress& key);
};
