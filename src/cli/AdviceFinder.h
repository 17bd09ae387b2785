#pragma once

#include "cli/AdviceIndex.h"
#include "cli/AdviceSelection.h"
#include "cli/ByteNamedPaths.h"

#include <functional>
#include <memory>

// The advice a command's filters select in a data folder, from the folder's index when it can be kept, else
// read from the sets; tells the user, through the report given, why nothing was selected (no such folder, no
// set, a set in another language, no advice passing the filters).
class AdviceFinder final
{
public:
    using Report = std::function<void (const juce::String& message)>;

    AdviceFinder (const ByteNamedPaths& typedPaths, Report reportProblem);

    struct Found
    {
        std::unique_ptr<AdviceIndex> index;
        std::vector<int> positions;                  // in the index
        std::vector<AdviceSelection::Advice> advice; // without an index
        int size = 0;

        AdviceSelection::Advice get (int i) const;
    };

    Found findFast (const juce::File& dataFolder, const AdviceSelection::Filter&) const;
    std::vector<AdviceSelection::Advice> find (const juce::File& dataFolder,
                                               const AdviceSelection::Filter&) const;
    std::vector<AdviceSelection::Advice> find (AdviceSelection&, const juce::File& dataFolder,
                                               const AdviceSelection::Filter&) const;

    // Whether the data folder exists and holds sets. Sets is the folder's AdviceSelection or AdviceIndex.
    template <typename Sets>
    bool checkDataFolder (const Sets&, const juce::File& dataFolder) const;

private:
    // The same, and whether the set chosen exists and is in the language chosen.
    template <typename Sets>
    bool checkFilters (const Sets&, const juce::File& dataFolder, const AdviceSelection::Filter&) const;

    const ByteNamedPaths& paths;
    Report report;
};
