#pragma once

#include "advice/LibSetsConseils.h"
#include "dialogs/MessageDialogs.h"
#include "widgets/SpecialButton.h"

// The favourite button's click: the shown advice marked or unmarked in its set file at once. The button
// shows what the file holds, so a mark the file would not take is not shown as made, and a warning in the
// interface language tells why.
class FavoriteToggle final
{
public:
    FavoriteToggle (SpecialButton& favoriteButton, LibSetsConseils& library);

    // The advice at that position of the filtered list marked if the button showed no mark, else unmarked.
    void toggle (int item, int language, MessageDialogs& dialogs);

private:
    static void tellNotSaved (LibSetsConseils::FavoriteSaving outcome, const juce::File& setFile,
                              int language, MessageDialogs& dialogs);

    SpecialButton& button;
    LibSetsConseils& libSetsConseils;

    JUCE_DECLARE_NON_COPYABLE (FavoriteToggle)
};
