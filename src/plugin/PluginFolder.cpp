#include "plugin/PluginFolder.h"

#include "base/ProgramFolder.h"
#include "plugin/InstalledProgram.h"

void PluginFolder::useAsProgramFolder()
{
    auto folder = getBundleFolder();
    const auto program = InstalledProgram::getPortableFolder();

    // An installed bundle holds no sets it can write; an installed program that keeps its own beside itself
    // lends the plugin its folder, so that both show and mark the same sets.
    if (!ProgramFolder::isPortable (folder) && program != juce::File() && ProgramFolder::isPortable (program))
        folder = program;

    const auto warning = ProgramFolder::prepare (folder);

    if (warning.isNotEmpty())
        juce::Logger::writeToLog ("Musewheeler: " + warning);
}

juce::File PluginFolder::getBundleFolder()
{
    // Inside a plugin, the toolkit's executable file is the plugin's own shared library, not the host.
    const auto binaryFolder =
        juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
    const auto resources = binaryFolder.getSiblingFile ("Resources");
    return resources.isDirectory() ? resources : binaryFolder;
}
