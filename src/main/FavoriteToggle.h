#pragma once

#include "advice/LibSetsConseils.h"
#include "dialogs/MessageDialogs.h"
#include "widgets/SpecialButton.h"

#include <optional>

// The favourite button's click: the shown advice marked or unmarked in its set file at once. The button
// shows what the file holds, so a mark the file would not take is not shown as made, and a warning in the
// interface language tells why.
class FavoriteToggle final
{
public:
    FavoriteToggle (SpecialButton& favoriteButton, LibSetsConseils& library);

    // The mouse pressed the button while the advice at that position of the filtered list was shown: the
    // click that follows is about that one, even if another advice has been drawn since.
    void pressed (int item) { pressedItem = item; }

    // The mouse button let go, after the click it made if any.
    void released() { pressedItem.reset(); }

    // The advice pressed on (else the one shown, at that position of the filtered list) marked if it bore
    // no mark, else unmarked. The button shows the outcome only while that advice is the one shown.
    void toggle (int shownItem, int language, MessageDialogs& dialogs);

private:
    static void tellNotSaved (LibSetsConseils::FavoriteSaving outcome, const juce::File& setFile,
                              int language, MessageDialogs& dialogs);

    bool isMarked (int item, int shownItem) const;

    SpecialButton& button;
    LibSetsConseils& libSetsConseils;
    std::optional<int> pressedItem;

    JUCE_DECLARE_NON_COPYABLE (FavoriteToggle)
};
