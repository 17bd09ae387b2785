#include "plugin/ProgramLauncher.h"

#include "plugin/InstalledProgram.h"

#include <algorithm>

ProgramLauncher::ProgramLauncher()
    : ProgramLauncher (InstalledProgram::getCandidates())
{
}

ProgramLauncher::ProgramLauncher (juce::Array<juce::File> programCandidates)
    : candidates (std::move (programCandidates))
{
}

juce::File ProgramLauncher::findProgram() const
{
    for (const auto& candidate : candidates)
        if (InstalledProgram::canRun (candidate))
            return candidate;

    return {};
}

bool ProgramLauncher::launch()
{
    // Asking a child whether it runs waits for it when it has ended.
    started.erase (std::remove_if (started.begin(), started.end(),
                                   [] (const auto& process) { return !process->isRunning(); }),
                   started.end());

    const auto program = findProgram();

    if (program == juce::File())
        return false;

    // Its output goes nowhere: nothing reads it, and a full pipe would stop it.
    auto process = std::make_unique<juce::ChildProcess>();

    if (!process->start (juce::StringArray (program.getFullPathName()), 0))
        return false;

    started.push_back (std::move (process));
    return true;
}
