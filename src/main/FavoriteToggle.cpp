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

void FavoriteToggle::toggle (int item, int language, MessageDialogs& dialogs)
{
    const auto newValue = button.getValue() != 1 ? 1 : 0;
    const auto outcome = libSetsConseils.setFavorite (item, newValue == 1);

    if (outcome == LibSetsConseils::FavoriteSaving::saved)
        button.setValue (newValue);
    else
        tellNotSaved (outcome, libSetsConseils.getFileSetFiltered (item), language, dialogs);
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
