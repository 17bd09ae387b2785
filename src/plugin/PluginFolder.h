#pragma once

#include <juce_core/juce_core.h>

// The folders a plugin instance works in. A bundle holding a data folder it can write (a build folder's)
// is portable, its sets and help inside it; an installed bundle holds neither, and the plugin then uses
// the installed program's folders: the program's own folder where it keeps its sets beside itself
// (Windows), else the user's sets and settings, the shared help and shipped sets.
class PluginFolder final
{
public:
    PluginFolder() = delete;

    // Chooses the folders for the instance being opened, from the bundle and the user's folders as they
    // are now: a host started before the program, or before the user's folder existed, still finds it.
    // The folders are the process's, as every instance of one host shares the user's folders.
    static void useAsProgramFolder();

    // The bundle's Resources folder when it has one (a VST3 bundle), else the folder of the plugin's
    // binary (an LV2 bundle).
    static juce::File getBundleFolder();
};
