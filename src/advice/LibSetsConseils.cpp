#include "advice/LibSetsConseils.h"

#include "advice/SetFileReader.h"
#include "base/ProgramFolder.h"
#include "base/RegularFile.h"

LibSetsConseils::LibSetsConseils (DataTags* tags)
    : dataTags (tags)
{
}

//==============================================================================
juce::Array<juce::File> LibSetsConseils::findSetFiles (const juce::File& folder)
{
    // The toolkit's wildcard follows the file system's letter case; set files are recognised in any case.
    juce::Array<juce::File> found;

    for (const auto& file : folder.findChildFiles (juce::File::findFiles, false, "*"))
        if (SetFileReader::hasSetExtension (file) && RegularFile::isRegular (file))
            found.add (file);

    // Sorted by name so that every system lists the sets in the same order.
    std::sort (found.begin(), found.end(),
               [] (const juce::File& a, const juce::File& b)
               {
                   const auto byName = a.getFileName().compareIgnoreCase (b.getFileName());
                   return byName != 0 ? byName < 0 : a.getFileName() < b.getFileName();
               });

    return found;
}

LibSetsConseils::DataFolder LibSetsConseils::findDataFolder()
{
    if (const auto installed = ProgramFolder::getInstalledSetsFolder())
        return { *installed, findSetFiles (*installed) };

    const auto beside = ProgramFolder::getSibling ("data");

    if (auto files = findSetFiles (beside); !files.isEmpty())
        return { beside, std::move (files) };

    const auto above = ProgramFolder::getSibling ("../data");

    if (auto files = findSetFiles (above); !files.isEmpty())
        return { above, std::move (files) };

    return { beside, {} };
}

juce::File LibSetsConseils::getDirectoryDataLib()
{
    return findDataFolder().folder;
}

int LibSetsConseils::isThisFileAValidSet (const juce::File& file)
{
    return SetFileReader::getFileKind (file);
}

void LibSetsConseils::loadLibSetsConseils()
{
    loadSetFiles (findDataFolder().setFiles);
}

void LibSetsConseils::loadLibSetsConseils (const juce::File& dataFolder)
{
    loadSetFiles (findSetFiles (dataFolder));
}

void LibSetsConseils::loadSetFiles (const juce::Array<juce::File>& files)
{
    setsConseils.clear();

    for (const auto& file : files)
    {
        auto set = std::make_unique<SetConseils> (dataTags);
        set->setFileSet (file);

        if (set->loadAnyFormat (SetConseils::headerOnly) != SetFileReader::notASetFile)
            setsConseils.add (std::move (set));
    }
}

void LibSetsConseils::loadFullyOneSetConseils (int setIndex)
{
    auto* set = setsConseils[setIndex];

    if (set != nullptr)
        readFully (*set);
}

bool LibSetsConseils::readFully (SetConseils& set)
{
    return set.loadAnyFormat (SetConseils::headerAndAdvice) != SetFileReader::notASetFile;
}

juce::StringArray LibSetsConseils::getNameSets (int language) const
{
    juce::StringArray names;

    for (const auto* set : setsConseils)
        if (language == -1 || set->getLanguage() == language)
            names.add (set->getName());

    return names;
}

juce::StringArray LibSetsConseils::getFileSets (int language) const
{
    juce::StringArray fileNames;

    for (const auto* set : setsConseils)
        if (language == -1 || set->getLanguage() == language)
            fileNames.add (set->getFileSet().getFileName());

    return fileNames;
}

//==============================================================================
juce::Array<int> LibSetsConseils::getSetsInScope (int language, const juce::String& setFile) const
{
    juce::Array<int> scope;

    if (setFile.isNotEmpty())
    {
        const auto wanted = setFile.toLowerCase();

        for (int s = 0; s < setsConseils.size(); ++s)
        {
            if (setsConseils[s]->getFileSet().getFileName().toLowerCase() == wanted)
            {
                scope.add (s);
                break;
            }
        }

        return scope;
    }

    for (int s = 0; s < setsConseils.size(); ++s)
        if (language == -1 || setsConseils[s]->getLanguage() == language)
            scope.add (s);

    return scope;
}

void LibSetsConseils::generateFilteredList (int, int language, const juce::String& setFile, int tag,
                                            bool favoritesOnly)
{
    filteredSets.clearQuick();
    filteredItems.clearQuick();

    for (const auto s : getSetsInScope (language, setFile))
    {
        loadFullyOneSetConseils (s);
        const auto* set = setsConseils[s];

        for (int i = 0; i < set->getNumConseils(); ++i)
        {
            if (tag != -1 && !set->isTagAssociatedToItem (i, tag))
                continue;

            if (favoritesOnly && !set->getFavoriteItem (i))
                continue;

            filteredSets.add (s);
            filteredItems.add (i);
        }
    }
}

SetConseils* LibSetsConseils::getSetFiltered (int position) const
{
    if (!juce::isPositiveAndBelow (position, filteredSets.size()))
        return nullptr;

    return setsConseils[filteredSets.getUnchecked (position)];
}

juce::String LibSetsConseils::getDescriptionItemFiltered (int position) const
{
    if (auto* set = getSetFiltered (position))
        return set->getDescriptionItem (filteredItems.getUnchecked (position));

    return {};
}

juce::String LibSetsConseils::getNameFiltered (int position) const
{
    if (auto* set = getSetFiltered (position))
        return set->getName();

    return {};
}

juce::String LibSetsConseils::getAuthorFiltered (int position) const
{
    if (auto* set = getSetFiltered (position))
        return set->getAuthor();

    return {};
}

juce::Colour LibSetsConseils::getColourSetFiltered (int position) const
{
    if (auto* set = getSetFiltered (position))
        return set->getColourSet();

    return juce::Colours::lightgrey;
}

juce::File LibSetsConseils::getFileSetFiltered (int position) const
{
    if (auto* set = getSetFiltered (position))
        return set->getFileSet();

    return {};
}

bool LibSetsConseils::getFavorite (int position) const
{
    if (auto* set = getSetFiltered (position))
        return set->getFavoriteItem (filteredItems.getUnchecked (position));

    return false;
}

int LibSetsConseils::getItemOfFiltered (int position) const
{
    return juce::isPositiveAndBelow (position, filteredItems.size()) ? filteredItems.getUnchecked (position)
                                                                     : -1;
}

std::unique_ptr<SetConseils> LibSetsConseils::readAgain (const SetConseils& set) const
{
    auto copy = std::make_unique<SetConseils> (dataTags);
    copy->setFileSet (set.getFileSet());
    return readFully (*copy) ? std::move (copy) : nullptr;
}

LibSetsConseils::FavoriteSaving LibSetsConseils::setFavorite (int position, bool favorite)
{
    auto* set = getSetFiltered (position);

    if (set == nullptr)
        return FavoriteSaving::nothingToMark;

    // Only a fully read set may be written back: after a rescan its items are not in memory, and
    // saving it then would wipe every advice from the file.
    const auto item = filteredItems.getUnchecked (position);

    if (set->getLoadMode() != SetConseils::headerAndAdvice ||
        !juce::isPositiveAndBelow (item, set->getNumConseils()))
        return FavoriteSaving::nothingToMark;

    // Written from memory, a set read in part would lose the text its reader passed over.
    if (!set->wasReadWhole())
        return FavoriteSaving::fileChanged;

    // The file as this set last read or wrote it: only the mark changes.
    if (set->isUnchangedOnDisk())
    {
        const auto previous = set->getFavoriteItem (item);
        set->setFavoriteItem (item, favorite);

        if (set->saveData())
            return FavoriteSaving::saved;

        set->setFavoriteItem (item, previous);
        return FavoriteSaving::writeFailed;
    }

    // Another program may have removed, replaced or edited the file since it was read (a second
    // instance of this one only changes marks, which are merged).
    auto onDisk = readAgain (*set);

    if (onDisk == nullptr || !onDisk->wasReadWhole() || !onDisk->hasSameAdviceAs (*set))
        return FavoriteSaving::fileChanged;

    onDisk->setFavoriteItem (item, favorite);

    if (!onDisk->saveData())
        return FavoriteSaving::writeFailed;

    set->takeFavoritesFrom (*onDisk);
    return FavoriteSaving::saved;
}
