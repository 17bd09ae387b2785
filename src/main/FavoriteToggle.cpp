#include "main/FavoriteToggle.h"

#include "base/Bilingual.h"

namespace
{
// Where the set file's path goes in the messages about a favourite that could not be saved.
constexpr const char* pathPlaceholder = "<path>";

constexpr Bilingual favoriteNotWrittenText{
    "The favourite could not be saved: the file <path> cannot be written.",
    "Le favori n'a pas pu être enregistré : le fichier <path> ne peut pas être écrit."
};
constexpr Bilingual favoriteFileChangedText{
    "The favourite was not saved: the file <path> was changed or removed by another program since it was "
    "read, and it is left as it is. Press OK in the options to read the sets again.",
    "Le favori n'a pas été enregistré : le fichier <path> a été modifié ou supprimé par un autre programme "
    "depuis sa lecture, et il est laissé tel quel. Appuyez sur OK dans les options pour relire les sets."
};
} // namespace

FavoriteToggle::FavoriteToggle (SpecialButton& favoriteButton, LibSetsConseils& library)
    : button (favoriteButton)
    , libSetsConseils (library)
{
}

void FavoriteToggle::toggle (int shownItem, int language, MessageDialogs& dialogs)
{
    const auto item = pressedItem.value_or (shownItem);

    const auto newValue = isMarked (item, shownItem) ? 0 : 1;
    const auto outcome = libSetsConseils.setFavorite (item, newValue == 1);

    if (outcome != LibSetsConseils::FavoriteSaving::saved)
        tellNotSaved (outcome, libSetsConseils.getFileSetFiltered (item), language, dialogs);
    else if (item == shownItem)
        button.setValue (newValue);
}

bool FavoriteToggle::isMarked (int item, int shownItem) const
{
    // The button shows what the file held when the shown advice was last read or written.
    if (item == shownItem)
        return button.getValue() == 1;

    return libSetsConseils.getFavorite (item);
}

void FavoriteToggle::tellNotSaved (LibSetsConseils::FavoriteSaving outcome, const juce::File& setFile,
                                   int language, MessageDialogs& dialogs)
{
    const auto path = setFile.getFullPathName();

    if (outcome == LibSetsConseils::FavoriteSaving::writeFailed)
        dialogs.showMessageBox ("Musewheeler",
                                favoriteNotWrittenText.in (language).replace (pathPlaceholder, path), "OK");
    else if (outcome == LibSetsConseils::FavoriteSaving::fileChanged)
        dialogs.showMessageBox ("Musewheeler",
                                favoriteFileChangedText.in (language).replace (pathPlaceholder, path), "OK");
}
