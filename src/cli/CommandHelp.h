#pragma once

#include <juce_core/juce_core.h>

// What each command of musewheeler-sets takes and does, as its --help prints it: the texts kept apart from
// the commands' work, as they are most of the tool's words.
struct CommandHelp final
{
    juce::String name, arguments, summary, details;

    static CommandHelp draw();
    static CommandHelp list();
    static CommandHelp search();
    static CommandHelp tags();
    static CommandHelp check();
    static CommandHelp importSet();
    static CommandHelp sets();
    static CommandHelp favorite();
    static CommandHelp add();
    static CommandHelp exportAdvice();

    // The tool's own --help, above the list of commands.
    static juce::String overview();
};
