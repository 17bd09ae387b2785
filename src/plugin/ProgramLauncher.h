#pragma once

#include <juce_core/juce_core.h>

#include <memory>
#include <vector>

// Starts the installed program beside the host, for the work that does not belong in a plugin window the
// host may close at any moment, such as editing the sets.
class ProgramLauncher final
{
public:
    // The places the program's installers put it (InstalledProgram).
    ProgramLauncher();

    explicit ProgramLauncher (juce::Array<juce::File> programCandidates);

    // The first candidate that is an executable file, or none.
    juce::File findProgram() const;

    // False when no program was found or it could not be started.
    bool launch();

private:
    juce::Array<juce::File> candidates;

    // Kept until they end, so that they can be waited for and leave no zombie behind in the host.
    std::vector<std::unique_ptr<juce::ChildProcess>> started;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgramLauncher)
};
