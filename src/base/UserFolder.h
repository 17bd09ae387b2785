#pragma once

#include <juce_core/juce_core.h>

#include <functional>

// Where an installed program keeps one user's files, since its own folder is shared and read-only: the sets
// in "data" inside a folder of the user's data, the settings file in a folder of the user's configuration.
class UserFolder final
{
public:
    struct Places
    {
        // Holds "data", the user's sets, and the record of the shipped sets.
        juce::File folder;
        // Holds the settings file.
        juce::File settingsFolder;
        // Why no folder could be named; both are then empty.
        juce::String error;
    };

    // Reads one environment variable; an unset one reads as empty.
    using Environment = std::function<juce::String (const juce::String& name)>;

    UserFolder() = delete;

    // MUSEWHEELER_HOME, when set, holds both (taken from workingFolder when relative). On Windows,
    // %APPDATA%\Musewheeler then holds both. Otherwise the sets go to $XDG_DATA_HOME/musewheeler and the
    // settings to $XDG_CONFIG_HOME/musewheeler, each variable used only when it is an absolute path, else
    // ~/.local/share and ~/.config of an absolute $HOME.
    static Places find (const Environment& environment, const juce::File& workingFolder);

    // From the process's environment and current folder.
    static Places find();

    // Where the user's files that may be lost and made again are kept: MUSEWHEELER_HOME when set (taken from
    // workingFolder when relative); on Windows %LOCALAPPDATA%\Musewheeler; otherwise
    // $XDG_CACHE_HOME/musewheeler when that is an absolute path, else ~/.cache/musewheeler of an absolute
    // $HOME. None when nothing names one.
    static juce::File findCacheFolder (const Environment& environment, const juce::File& workingFolder);

    // From the process's environment and current folder.
    static juce::File findCacheFolder();

    // The process's environment, for the classes that look for folders the same way.
    static juce::String getVariable (const juce::String& name);
};
