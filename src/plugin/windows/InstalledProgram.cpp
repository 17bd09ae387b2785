#include "plugin/InstalledProgram.h"

juce::Array<juce::File> InstalledProgram::getCandidates()
{
    // The installer puts the program in the user's own programs folder, with no rights asked for.
    return { getPortableFolder().getChildFile ("Musewheeler.exe") };
}

bool InstalledProgram::canRun (const juce::File& file)
{
    return file.existsAsFile() && file.hasFileExtension (".exe");
}

juce::File InstalledProgram::getPortableFolder()
{
    // The program there keeps its writable data folder beside itself.
    return juce::File::getSpecialLocation (juce::File::windowsLocalAppData)
        .getChildFile ("Programs")
        .getChildFile ("Musewheeler");
}
