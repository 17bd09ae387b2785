#pragma once

#include <juce_core/juce_core.h>

// The program folder a plugin instance works in (its sets in "data", its help in "help"): the per-user
// folder of the installed program when that holds sets, so that the plugin and the program share the
// user's sets, else the folder shipped inside the plugin's bundle.
class PluginFolder final
{
public:
    PluginFolder() = delete;

    static juce::File find();

    // Makes the found folder the program folder of the whole process, once, until the plugin is unloaded:
    // every instance works in the same folder, and one override per editor would hand back the wrong folder
    // when editors close in another order than they opened.
    static void useAsProgramFolder();

    // The installed program's folder, as its installer and launcher name it: $MUSEWHEELER_HOME, else
    // musewheeler in $XDG_DATA_HOME (when absolute), else in ~/.local/share.
    static juce::File getUserFolder();

    // The bundle's Resources folder when it has one (a VST3 bundle), else the folder of the plugin's
    // binary (an LV2 bundle).
    static juce::File getBundleFolder();
};
