#pragma once

#include <juce_core/juce_core.h>

// The copy of the program each user once ran from their own folder (the program, musewheeler-sets and the
// help beside the user's "data" and "Musewheeler.ini"). The installed program now runs in place: on its
// first start it takes the settings file over and removes the old copy's executables and help, leaving the
// sets, favourites included, where they are.
class OldProgramCopy final
{
public:
    OldProgramCopy() = delete;

    // Whether the folder holds an old copy of the program.
    static bool isIn (const juce::File& userFolder);

    // Moves userFolder's Musewheeler.ini into settingsFolder (unless one is there already), then removes
    // the old copy's programs, its help (unless keepHelp: the folder is also where the help is installed)
    // and what its interrupted updates left. Nothing is removed until the settings are taken over, so that
    // a failure is tried again at the next start. False when the settings could not be moved.
    static bool takeOver (const juce::File& userFolder, const juce::File& settingsFolder, bool keepHelp);

private:
    static constexpr const char* settingsName = "Musewheeler.ini";
};
