#pragma once

#include "base/UserFolder.h"

// How the system names folders in the environment, each system its own way (posix/, windows/).
class EnvironmentPaths final
{
public:
    EnvironmentPaths() = delete;

    // The folder the system itself gives each user's program files, taken before the XDG rules: none on
    // POSIX systems, where those rules are the system's own; the roaming application data folder (APPDATA)
    // on Windows. None when the variable is no absolute path.
    static juce::File findApplicationDataFolder (const UserFolder::Environment& environment);

    // The folder the system gives each user's files that may be made again, kept on this machine only:
    // none on POSIX systems, where XDG_CACHE_HOME is the system's own; LOCALAPPDATA on Windows. None when the
    // variable is no absolute path.
    static juce::File findLocalApplicationDataFolder (const UserFolder::Environment& environment);

    // The folders of a variable holding a list of them ("/usr/local/share:/usr/share"; ";" between them on
    // Windows, whose paths hold ":").
    static juce::StringArray splitFolderList (const juce::String& list);
};
