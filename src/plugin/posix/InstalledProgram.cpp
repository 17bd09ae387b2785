#include "plugin/InstalledProgram.h"

#include <unistd.h>

namespace
{
constexpr const char* programName = "musewheeler";
} // namespace

juce::Array<juce::File> InstalledProgram::getCandidates()
{
    // The places the program's installer and package put it: ~/.local/bin, then /usr/bin.
    return { juce::File::getSpecialLocation (juce::File::userHomeDirectory)
                 .getChildFile (".local/bin")
                 .getChildFile (programName),
             juce::File ("/usr/bin").getChildFile (programName) };
}

bool InstalledProgram::canRun (const juce::File& file)
{
    return file.existsAsFile() && access (file.getFullPathName().toRawUTF8(), X_OK) == 0;
}

juce::File InstalledProgram::getPortableFolder()
{
    // Installed here, the program runs in place and keeps each user's files in the user's folders
    // (InstalledFolders), which the plugin finds the same way.
    return {};
}
