#include "plugin/PluginFolder.h"

#include "base/ProgramFolder.h"

juce::File PluginFolder::find()
{
    const auto userFolder = getUserFolder();
    return userFolder.getChildFile ("data").isDirectory() ? userFolder : getBundleFolder();
}

void PluginFolder::useAsProgramFolder()
{
    static const ProgramFolder::ScopedOverride folder (find());
}

juce::File PluginFolder::getUserFolder()
{
    const auto home = juce::SystemStats::getEnvironmentVariable ("MUSEWHEELER_HOME", {});

    if (home.isNotEmpty())
        return juce::File::getCurrentWorkingDirectory().getChildFile (home);

    const auto dataHome = juce::SystemStats::getEnvironmentVariable ("XDG_DATA_HOME", {});

    if (juce::File::isAbsolutePath (dataHome))
        return juce::File (dataHome).getChildFile ("musewheeler");

    return juce::File::getSpecialLocation (juce::File::userHomeDirectory)
        .getChildFile (".local/share/musewheeler");
}

juce::File PluginFolder::getBundleFolder()
{
    // Inside a plugin, the toolkit's executable file is the plugin's own shared library, not the host.
    const auto binaryFolder =
        juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
    const auto resources = binaryFolder.getSiblingFile ("Resources");
    return resources.isDirectory() ? resources : binaryFolder;
}
