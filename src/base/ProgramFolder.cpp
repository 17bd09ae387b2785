#include "base/ProgramFolder.h"

#include "base/ProgramLayout.h"

juce::File ProgramFolder::get()
{
    if (const auto& folder = overridden())
        return *folder;

    if (const auto& folder = preparedPortable())
        return *folder;

    return findRunningExecutable().getParentDirectory();
}

juce::File ProgramFolder::getSibling (const juce::String& relativePath)
{
    return get().getChildFile (relativePath);
}

bool ProgramFolder::isPortable (const juce::File& programFolder)
{
    return ProgramLayout::holdsWritableData (programFolder);
}

juce::String ProgramFolder::prepare (const juce::File& binaryFolder)
{
    // A test's folder stands for the program's: there is nothing to choose or prepare.
    if (overridden())
        return {};

    const auto choice = ProgramLayout::choose (binaryFolder, UserFolder::getVariable,
                                               juce::File::getCurrentWorkingDirectory());
    preparedPortable() = choice.portableFolder;

    if (!choice.installed)
    {
        installed().reset();
        return {};
    }

    const auto& places = *choice.installed;
    installed() = Installed{ places.sets, places.settingsFolder, places.help };
    return places.warning;
}

std::optional<juce::File> ProgramFolder::getInstalledSetsFolder()
{
    if (overridden() || !installed())
        return std::nullopt;

    return installed()->sets;
}

juce::File ProgramFolder::getSettingsFolder()
{
    return overridden() || !installed() ? get() : installed()->settingsFolder;
}

juce::File ProgramFolder::getHelpFolder()
{
    return overridden() || !installed() ? getSibling ("help") : installed()->help;
}

std::optional<juce::File>& ProgramFolder::overridden()
{
    static std::optional<juce::File> folder;
    return folder;
}

std::optional<juce::File>& ProgramFolder::preparedPortable()
{
    static std::optional<juce::File> folder;
    return folder;
}

std::optional<ProgramFolder::Installed>& ProgramFolder::installed()
{
    static std::optional<Installed> places;
    return places;
}

juce::File ProgramFolder::findRunningExecutable()
{
#if JUCE_LINUX
    // The toolkit names the program after the command that started it, resolved against the current
    // folder: started by bare name through PATH, that is the wrong folder. The kernel knows the real file.
    const auto executable = juce::File ("/proc/self/exe").getLinkedTarget();

    if (executable.existsAsFile())
        return executable;
#endif

    return juce::File::getSpecialLocation (juce::File::currentApplicationFile);
}

ProgramFolder::ScopedOverride::ScopedOverride (const juce::File& folder)
    : previous (overridden())
{
    overridden() = folder;
}

ProgramFolder::ScopedOverride::~ScopedOverride()
{
    overridden() = previous;
}
