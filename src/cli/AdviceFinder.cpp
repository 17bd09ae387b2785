#include "cli/AdviceFinder.h"

namespace
{
juce::String languageName (int language)
{
    return language == 0 ? "French" : "English";
}
} // namespace

AdviceFinder::AdviceFinder (const ByteNamedPaths& typedPaths, Report reportProblem)
    : paths (typedPaths)
    , report (std::move (reportProblem))
{
}

template <typename Sets>
bool AdviceFinder::checkDataFolder (const Sets& sets, const juce::File& dataFolder) const
{
    if (!dataFolder.exists())
        report ("musewheeler-sets: the folder " + paths.describe (dataFolder) +
                " does not exist (--data chooses another folder)");
    else if (!dataFolder.isDirectory())
        report ("musewheeler-sets: " + paths.describe (dataFolder) +
                " is a file, not a folder of sets (--data chooses another folder)");
    else if (sets.getNumSets() == 0)
        report ("musewheeler-sets: no set file in " + paths.describe (dataFolder) +
                " (--data chooses another folder)");
    else
        return true;

    return false;
}

template bool AdviceFinder::checkDataFolder (const AdviceSelection&, const juce::File&) const;
template bool AdviceFinder::checkDataFolder (const AdviceIndex&, const juce::File&) const;

template <typename Sets>
bool AdviceFinder::checkFilters (const Sets& sets, const juce::File& dataFolder,
                                 const AdviceSelection::Filter& filter) const
{
    if (!checkDataFolder (sets, dataFolder))
        return false;

    if (filter.setFile.isNotEmpty() && !sets.hasSetFile (filter.setFile))
    {
        report ("musewheeler-sets: no set file named " + filter.setFile + " in " +
                paths.describe (dataFolder));
        return false;
    }

    // The program's filter lets a chosen set override the language; here both were typed, so a contradiction
    // is told rather than passed over.
    if (const auto setLanguage = sets.getSetLanguage (filter.setFile);
        setLanguage && filter.language != -1 && *setLanguage != filter.language)
    {
        report ("musewheeler-sets: " + filter.setFile + " is a set in " + languageName (*setLanguage) +
                ", so --language " + AdviceSelection::getLanguageCode (filter.language) +
                " leaves nothing of it (without --language it is listed)");
        return false;
    }

    return true;
}

AdviceFinder::Found AdviceFinder::findFast (const juce::File& dataFolder,
                                            const AdviceSelection::Filter& filter) const
{
    Found found;
    found.index = AdviceIndex::open (dataFolder);

    if (found.index == nullptr)
    {
        found.advice = find (dataFolder, filter);
        found.size = (int) found.advice.size();
        return found;
    }

    if (!checkFilters (*found.index, dataFolder, filter))
        return found;

    found.positions = found.index->select (filter);
    found.size = (int) found.positions.size();

    if (found.size == 0)
        report ("musewheeler-sets: no advice passes the filters");

    return found;
}

AdviceSelection::Advice AdviceFinder::Found::get (int i) const
{
    return index != nullptr ? index->getAdvice (positions[(size_t) i]) : advice[(size_t) i];
}

std::vector<AdviceSelection::Advice> AdviceFinder::find (const juce::File& dataFolder,
                                                         const AdviceSelection::Filter& filter) const
{
    AdviceSelection selection (dataFolder);
    return find (selection, dataFolder, filter);
}

std::vector<AdviceSelection::Advice> AdviceFinder::find (AdviceSelection& selection,
                                                         const juce::File& dataFolder,
                                                         const AdviceSelection::Filter& filter) const
{
    if (!checkFilters (selection, dataFolder, filter))
        return {};

    auto advice = selection.select (filter);

    if (advice.empty())
        report ("musewheeler-sets: no advice passes the filters");

    return advice;
}
