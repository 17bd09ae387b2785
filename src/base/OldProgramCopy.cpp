#include "base/OldProgramCopy.h"

#include "base/PlainRename.h"

namespace
{
const juce::StringArray programNames{ "Musewheeler", "musewheeler-sets" };
} // namespace

bool OldProgramCopy::isIn (const juce::File& userFolder)
{
    for (const auto& name : programNames)
        if (userFolder.getChildFile (name).existsAsFile())
            return true;

    return false;
}

bool OldProgramCopy::takeOver (const juce::File& userFolder, const juce::File& settingsFolder, bool keepHelp)
{
    const auto oldSettings = userFolder.getChildFile (settingsName);
    const auto newSettings = settingsFolder.getChildFile (settingsName);

    if (oldSettings.existsAsFile() && newSettings != oldSettings && !newSettings.exists())
    {
        settingsFolder.createDirectory();

        // Another program starting at the same moment may have moved it first: then it is where it belongs.
        if (!PlainRename::move (oldSettings, newSettings) && !newSettings.existsAsFile())
            return false;
    }

    // Only names the old launcher wrote: whatever else the user keeps there stays.
    for (const auto& name : programNames)
    {
        userFolder.getChildFile (name).deleteFile();

        for (const auto& litter : userFolder.findChildFiles (juce::File::findFiles, false, name + ".new.*"))
            litter.deleteFile();
    }

    for (const auto& litter : userFolder.findChildFiles (juce::File::findDirectories, false, "help.new.*"))
        litter.deleteRecursively();

    if (!keepHelp)
        userFolder.getChildFile ("help").deleteRecursively();

    return true;
}
