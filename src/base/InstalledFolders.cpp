#include "base/InstalledFolders.h"

#include "base/EnvironmentPaths.h"
#include "base/OldProgramCopy.h"
#include "base/ShippedSets.h"

namespace
{
// A plugin's binary lies deepest: lib/vst3/Musewheeler.vst3/Contents/x86_64-linux.
constexpr int parentsSearched = 5;

bool holdsShippedSets (const juce::File& shared)
{
    return shared.getChildFile (InstalledFolders::shippedName).isDirectory();
}

juce::Array<juce::File> dataFolders (const UserFolder::Environment& environment)
{
    juce::Array<juce::File> folders;
    const auto dataHome = environment ("XDG_DATA_HOME");
    const auto home = environment ("HOME");

    if (juce::File::isAbsolutePath (dataHome))
        folders.add (juce::File (dataHome));
    else if (juce::File::isAbsolutePath (home))
        folders.add (juce::File (home).getChildFile (".local/share"));

    auto dataDirs = EnvironmentPaths::splitFolderList (environment ("XDG_DATA_DIRS"));

    if (dataDirs.isEmpty())
        dataDirs = { "/usr/local/share", "/usr/share" };

    for (const auto& folder : dataDirs)
        if (juce::File::isAbsolutePath (folder))
            folders.add (juce::File (folder));

    return folders;
}
} // namespace

juce::File InstalledFolders::findShared (const juce::File& binaryFolder,
                                         const UserFolder::Environment& environment)
{
    if (holdsShippedSets (binaryFolder))
        return binaryFolder;

    auto parent = binaryFolder;

    for (int i = 0; i < parentsSearched && parent != parent.getParentDirectory(); ++i)
    {
        parent = parent.getParentDirectory();
        const auto shared = parent.getChildFile ("share").getChildFile (sharedName);

        if (holdsShippedSets (shared))
            return shared;
    }

    for (const auto& folder : dataFolders (environment))
        if (holdsShippedSets (folder.getChildFile (sharedName)))
            return folder.getChildFile (sharedName);

    return {};
}

bool InstalledFolders::holdsOwnSets (const juce::File& userSets, const juce::File& shipped)
{
    for (const auto& set : ShippedSets::findSets (userSets))
    {
        const auto original = shipped.getChildFile (set.getFileName());

        if (!original.existsAsFile() || ShippedSets::checksumOf (original) != ShippedSets::checksumOf (set))
            return true;
    }

    return false;
}

InstalledFolders::Places InstalledFolders::prepare (const juce::File& binaryFolder,
                                                    const UserFolder::Environment& environment,
                                                    const juce::File& workingFolder)
{
    // A missing folder stays an empty one: the toolkit would name its children from the root.
    const auto shared = findShared (binaryFolder, environment);
    const auto found = shared != juce::File();
    const auto shipped = found ? shared.getChildFile (shippedName) : juce::File();
    const auto user = UserFolder::find (environment, workingFolder);
    Places places{ shipped, user.settingsFolder, found ? shared.getChildFile ("help") : juce::File(), {} };

    if (!found)
        places.warning = "the shipped sets were not found in share/musewheeler beside the program nor in the "
                         "data folders";

    if (user.error.isNotEmpty())
    {
        places.warning = user.error;
        return places;
    }

    const auto userSets = user.folder.getChildFile ("data");

    // With `make install`, the user's folder is also where the help is installed.
    if (OldProgramCopy::isIn (user.folder))
        OldProgramCopy::takeOver (user.folder, user.settingsFolder, user.folder == shared);

    const bool complete = found ? ShippedSets::update (shipped, user.folder)
                                : userSets.createDirectory().wasOk() || userSets.isDirectory();

    // A user whose folder cannot take every shipped set works on the shipped ones, read-only, unless the
    // folder holds sets of their own or sets they changed, which they would rather see.
    if (complete || holdsOwnSets (userSets, shipped))
    {
        places.sets = userSets;
        user.settingsFolder.createDirectory();
    }
    else if (places.warning.isEmpty())
        places.warning = "your sets cannot be written to " + userSets.getFullPathName() +
                         ", so the shipped sets are shown read-only";

    return places;
}
