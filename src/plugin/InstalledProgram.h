#pragma once

#include <juce_core/juce_core.h>

// Where the program's installers put the program on each system, for a plugin that starts it or works in
// its folders.
class InstalledProgram final
{
public:
    InstalledProgram() = delete;

    // The places the program may be installed in, the user's own first.
    static juce::Array<juce::File> getCandidates();

    // Whether the file is a program the system can start.
    static bool canRun (const juce::File& file);

    // The folder of an installed program that keeps its sets and settings beside itself, which a plugin
    // whose bundle holds none works in; none where the installed program keeps them in the user's folders.
    static juce::File getPortableFolder();
};
