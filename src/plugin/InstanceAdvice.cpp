#include "plugin/InstanceAdvice.h"

InstanceAdvice::InstanceAdvice() = default;

ConfigFile::Settings InstanceAdvice::filtersOf (const ConfigFile::Settings& settings)
{
    // Only what chooses the list: the advice drawn and the timers leave it as it is.
    ConfigFile::Settings filters;
    filters.language = settings.language;
    filters.languageSet = settings.languageSet;
    filters.sets = settings.sets;
    filters.tag = settings.tag;
    filters.lookForFavorites = settings.lookForFavorites;
    return filters;
}

bool InstanceAdvice::isLoadedFor (const ConfigFile::Settings& settings) const
{
    return loadedFilters.has_value() && *loadedFilters == filtersOf (settings);
}

void InstanceAdvice::loadFor (const ConfigFile::Settings& settings)
{
    if (!isLoadedFor (settings))
        reloadFor (settings);
}

void InstanceAdvice::reloadFor (const ConfigFile::Settings& settings)
{
    // The tag names in the interface language, as the screen reads them before its sets.
    tags.initDataTagsLibrary (settings.language == 1);
    library.loadLibSetsConseils();
    library.generateFilteredList (settings.language, settings.languageSet, settings.sets, settings.tag,
                                  settings.lookForFavorites);
    loadedFilters = filtersOf (settings);
    ++readings;
}

int InstanceAdvice::draw()
{
    return shuffle.getRandomShuffledNumber (0, library.getNumConseilsFiltered());
}

int InstanceAdvice::shownPosition (int lastItem) const
{
    return lastItem >= 0 && lastItem < library.getNumConseilsFiltered() ? lastItem : 0;
}

juce::String InstanceAdvice::describe (int position) const
{
    const auto text = library.getDescriptionItemFiltered (position);

    if (text.isEmpty())
        return {};

    return library.getNameFiltered (position) + ": " + text;
}
