#include "base/ProgramLayout.h"

#include "base/ShippedSets.h"

ProgramLayout::Choice ProgramLayout::choose (const juce::File& binaryFolder,
                                             const UserFolder::Environment& environment,
                                             const juce::File& workingFolder)
{
    const auto shipped = binaryFolder.getChildFile (InstalledFolders::shippedName);
    const bool portable = shipped.isDirectory() ? bringsShippedSetsIn (binaryFolder, shipped)
                                                : holdsWritableData (binaryFolder);

    if (portable)
        return { binaryFolder, std::nullopt };

    // A folder with shipped sets it cannot write (installed for every user by an administrator, on a
    // read-only disk) is an installation like any other: InstalledFolders finds the shipped sets there.
    return { std::nullopt, InstalledFolders::prepare (binaryFolder, environment, workingFolder) };
}

bool ProgramLayout::holdsWritableData (const juce::File& binaryFolder)
{
    for (const auto& data : { binaryFolder.getChildFile ("data"), binaryFolder.getSiblingFile ("data") })
        if (data.isDirectory() && data.hasWriteAccess())
            return true;

    return false;
}

bool ProgramLayout::bringsShippedSetsIn (const juce::File& binaryFolder, const juce::File& shipped)
{
    const auto data = binaryFolder.getChildFile ("data");
    const bool complete = ShippedSets::update (shipped, binaryFolder);

    // As in a user's folder: one that could not take every shipped set is still the user's if it holds sets
    // of their own or sets they changed, which they would rather see than the shipped ones.
    return data.isDirectory() && data.hasWriteAccess() &&
           (complete || InstalledFolders::holdsOwnSets (data, shipped));
}
