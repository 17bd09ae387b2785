#include "plugin/ProgramLauncher.h"

#include <algorithm>
#include <unistd.h>

namespace
{
constexpr const char* programName = "musewheeler";
} // namespace

ProgramLauncher::ProgramLauncher()
    : ProgramLauncher ({ juce::File::getSpecialLocation (juce::File::userHomeDirectory)
                             .getChildFile (".local/bin")
                             .getChildFile (programName),
                         juce::File ("/usr/bin").getChildFile (programName) })
{
}

ProgramLauncher::ProgramLauncher (juce::Array<juce::File> programCandidates)
    : candidates (std::move (programCandidates))
{
}

juce::File ProgramLauncher::findProgram() const
{
    for (const auto& candidate : candidates)
        if (candidate.existsAsFile() && access (candidate.getFullPathName().toRawUTF8(), X_OK) == 0)
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
