#include "cli/AdviceSelection.h"

#include "cli/FoldedText.h"

std::optional<int> AdviceSelection::parseLanguage (const juce::String& word, bool anyAllowed)
{
    if (word.equalsIgnoreCase ("en"))
        return 1;

    if (word.equalsIgnoreCase ("fr"))
        return 0;

    if (anyAllowed && word.equalsIgnoreCase ("any"))
        return -1;

    return std::nullopt;
}

juce::String AdviceSelection::getLanguageCode (int language)
{
    return language == 0 ? "fr" : "en";
}

int AdviceSelection::findTag (const juce::String& hashOrName)
{
    const auto word = hashOrName.trim();

    if (word.containsOnly ("0123456789") && word.isNotEmpty())
        return DataTags::isValidHash (word.getIntValue()) ? word.getIntValue() : -1;

    const auto wanted = FoldedText::fold (word);
    DataTags tags;

    for (const bool english : { true, false })
    {
        tags.initDataTagsLibrary (english);

        for (int category = 0; category < DataTags::numCategories; ++category)
            for (int position = 0; position < DataTags::getNumTagsInCategory (category); ++position)
                if (FoldedText::fold (tags.getTags (DataTags::getHash (category, position))) == wanted)
                    return DataTags::getHash (category, position);
    }

    return -1;
}

AdviceSelection::AdviceSelection (const juce::File& dataFolder)
{
    library.loadLibSetsConseils (dataFolder);
}

bool AdviceSelection::hasSetFile (const juce::String& fileName) const
{
    return library.getFileSets (-1).contains (fileName, true);
}

juce::File AdviceSelection::findSetFile (const juce::String& fileName) const
{
    for (const auto* set : library.getSetsConseils())
        if (set->getFileSet().getFileName().equalsIgnoreCase (fileName))
            return set->getFileSet();

    return {};
}

std::optional<int> AdviceSelection::getSetLanguage (const juce::String& fileName) const
{
    if (fileName.isEmpty())
        return std::nullopt;

    for (const int language : { 0, 1 })
        if (library.getFileSets (language).contains (fileName, true))
            return language;

    return std::nullopt;
}

std::vector<AdviceSelection::Advice> AdviceSelection::select (const Filter& filter)
{
    library.generateFilteredList (1, filter.language, filter.setFile, filter.tag, filter.favoritesOnly);
    std::vector<Advice> selected;
    selected.reserve ((size_t) library.getNumConseilsFiltered());

    for (int k = 0; k < library.getNumConseilsFiltered(); ++k)
    {
        const auto* set = library.getSetOfFiltered (k);
        const auto item = library.getItemOfFiltered (k);
        selected.push_back ({ set->getFileSet().getFileName(), set->getName(), set->getAuthor(),
                              set->getDescriptionItem (item), set->getHashTags (item),
                              set->getFavoriteItem (item), set->getDescription(), set->getLanguage(),
                              set->getColourSet() });
    }

    return selected;
}

std::vector<AdviceSelection::SetSummary> AdviceSelection::summarise (int language)
{
    std::vector<SetSummary> summaries;

    for (int s = 0; s < library.getNumSetsConseils(); ++s)
    {
        const auto* set = library.getSetsConseils()[s];

        if (language != -1 && set->getLanguage() != language)
            continue;

        library.loadFullyOneSetConseils (s);
        SetSummary summary{ set->getFileSet().getFileName(), set->getName(), set->getLanguage(),
                            set->getNumConseils(), 0 };

        for (int i = 0; i < set->getNumConseils(); ++i)
            summary.numFavorites += set->getFavoriteItem (i) ? 1 : 0;

        summaries.push_back (summary);
    }

    return summaries;
}

LibSetsConseils::FavoriteSaving AdviceSelection::setFavorite (int position, bool favorite)
{
    return library.setFavorite (position, favorite);
}
