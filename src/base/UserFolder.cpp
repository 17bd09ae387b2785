#include "base/UserFolder.h"

#include "base/EnvironmentPaths.h"

namespace
{
constexpr const char* folderName = "musewheeler";

// Relative and empty values are ignored, as the XDG base directory rules ask: a relative one would follow
// whichever folder the program was started from.
juce::File absoluteOrNone (const juce::String& path)
{
    return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
}

// The XDG variable's folder, else the one under HOME, else none.
juce::File baseFolder (const UserFolder::Environment& environment, const juce::String& variable,
                       const juce::String& underHome)
{
    const auto fromVariable = absoluteOrNone (environment (variable));

    if (fromVariable != juce::File())
        return fromVariable;

    // Read from HOME alone: without it the toolkit falls back on the password file or "/", and an
    // installed program would then write where the user never asked.
    const auto home = absoluteOrNone (environment ("HOME"));
    return home != juce::File() ? home.getChildFile (underHome) : juce::File();
}
} // namespace

UserFolder::Places UserFolder::find (const Environment& environment, const juce::File& workingFolder)
{
    const auto chosen = environment ("MUSEWHEELER_HOME");

    if (chosen.isNotEmpty())
    {
        const auto folder = workingFolder.getChildFile (chosen);
        return { folder, folder, {} };
    }

    // Windows names a folder for each user's program files, where the program's own name is capitalised.
    if (const auto appData = EnvironmentPaths::findApplicationDataFolder (environment);
        appData != juce::File())
    {
        const auto folder = appData.getChildFile ("Musewheeler");
        return { folder, folder, {} };
    }

    const auto data = baseFolder (environment, "XDG_DATA_HOME", ".local/share");
    const auto config = baseFolder (environment, "XDG_CONFIG_HOME", ".config");

    if (data == juce::File() && config == juce::File())
        return { {},
                 {},
                 "neither HOME nor XDG_DATA_HOME is set to an absolute folder, so there is no folder "
                 "to keep your sets and settings in; set HOME or MUSEWHEELER_HOME" };

    // With one of the two named only, both kinds of files go there rather than nowhere.
    const auto folder = (data != juce::File() ? data : config).getChildFile (folderName);
    const auto settingsFolder = (config != juce::File() ? config : data).getChildFile (folderName);
    return { folder, settingsFolder, {} };
}

UserFolder::Places UserFolder::find()
{
    return find (getVariable, juce::File::getCurrentWorkingDirectory());
}

juce::File UserFolder::findCacheFolder (const Environment& environment, const juce::File& workingFolder)
{
    const auto chosen = environment ("MUSEWHEELER_HOME");

    if (chosen.isNotEmpty())
        return workingFolder.getChildFile (chosen);

    // Made again at will, such files stay on the machine rather than roam with the user's profile.
    if (const auto localAppData = EnvironmentPaths::findLocalApplicationDataFolder (environment);
        localAppData != juce::File())
        return localAppData.getChildFile ("Musewheeler");

    const auto cache = baseFolder (environment, "XDG_CACHE_HOME", ".cache");
    return cache != juce::File() ? cache.getChildFile (folderName) : juce::File();
}

juce::File UserFolder::findCacheFolder()
{
    return findCacheFolder (getVariable, juce::File::getCurrentWorkingDirectory());
}

juce::String UserFolder::getVariable (const juce::String& name)
{
    return juce::SystemStats::getEnvironmentVariable (name, {});
}
