#pragma once

#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "advice/RandomShuffle.h"
#include "settings/ConfigFile.h"

#include <optional>

// The advice a plugin instance draws with its window closed: the set library filtered as the instance's
// settings say, read on the message thread, and the shuffle that keeps an advice from coming back before
// every other one of the list came out. The instance's screen draws through the same shuffle, so that the
// instance keeps one round of draws whichever side draws. Message thread only.
class InstanceAdvice final
{
public:
    InstanceAdvice();

    // Reads the sets and filters them for those settings; again when the filters have changed since the
    // last reading, else nothing.
    void loadFor (const ConfigFile::Settings& settings);

    // Reads the sets again whatever the filters: the instance's screen has just read them, and the files
    // may have changed since (a mark in another instance).
    void reloadFor (const ConfigFile::Settings& settings);

    bool isLoaded() const { return loadedFilters.has_value(); }

    // Whether those settings filter as the ones the sets were read for.
    bool isLoadedFor (const ConfigFile::Settings& settings) const;

    // A position in the filtered list, the next of the round; 0 when the list is empty.
    int draw();

    // The position the screen shows for a kept advice: the kept one when the list has it, else the first.
    int shownPosition (int lastItem) const;

    // How many times the sets were read: a position may name another advice after each reading.
    int getReadingCount() const { return readings; }

    // The set's name and the advice at that position, for a host's list of programs; empty outside the list.
    juce::String describe (int position) const;

    RandomShuffle& getShuffle() { return shuffle; }

private:
    static ConfigFile::Settings filtersOf (const ConfigFile::Settings& settings);

    DataTags tags;
    LibSetsConseils library{ &tags };
    RandomShuffle shuffle;
    std::optional<ConfigFile::Settings> loadedFilters;
    int readings = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (InstanceAdvice)
};
