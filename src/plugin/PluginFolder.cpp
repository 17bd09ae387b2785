#include "plugin/PluginFolder.h"

#include "base/ProgramFolder.h"

void PluginFolder::useAsProgramFolder()
{
    const auto warning = ProgramFolder::prepare (getBundleFolder());

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
