#!/bin/bash
# The main screen and the options panel by the keyboard alone: Tab shows where the keys go with a mark that
# a click takes away, Return presses the marked button, the menu opens and Options is taken by keys, and in
# the options panel Tab goes from choice to choice, the arrows change a choice, Escape leaves the settings
# file as it was and Return writes the choice.
# Usage: keyboard-only.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
source "$(dirname "$0")/lib/session.sh"

writeSet a-red.mwh "Red set" 1 "200,30,30" "1," "Red advice: play the melody backwards."
setColour=C81E1E

# The top of the ring the mark draws around a round button's circle (radius 15 + 3 + half its 2 pixels).
ringTopY=$((buttonsY - 19))

isWhite() { [ "$(pixel "$1" "$2")" = FFFFFF ]; }
isNotWhite() { ! isWhite "$1" "$2"; }
mainScreenShown() { [ "$(pixel "$frameX" "$frameY")" = "$setColour" ]; }
optionsShown() { [ "$(pixel 15 100)" = 808080 ]; }
configHasFavorites() { configText | grep -qx "LookForFavorites=true;"; }

favoriteWritten()
{
    iconv -f UTF-16 -t UTF-8 "$app/data/a-red.mwh" 2>/dev/null | tr -d '\r' | grep -x "Favorite=true;" >/dev/null
}

# openOptionsByKeys: Tab to the menu button, Return opens the menu, Down and Return take Options.
openOptionsByKeys()
{
    xdotool key Tab
    waitUntil 50 isWhite "$menuX" "$ringTopY" || fail "Tab put no mark on the menu button ($1)"
    xdotool key Return
    waitUntil 50 popupShown || fail "Return on the marked menu button opened no menu ($1)"
    popupSettles || fail "the menu did not show ($1)"
    xdotool key Down Return
    waitUntil 50 popupGone || fail "the menu stayed open after Options was taken ($1)"
    waitUntil 50 optionsShown || fail "the options panel did not open ($1)"
    windowSettles || fail "the options panel did not settle ($1)"
}

startDisplay
writeConfig
startProgram
isNotWhite "$menuX" "$ringTopY" || fail "a mark shows before any Tab"

#-------------------------------------------------------------------------------------------------------
# The main screen: Tab, Tab, Tab, Shift+Tab comes to the star; Return marks the advice.
xdotool key Tab
waitUntil 50 isWhite "$menuX" "$ringTopY" || fail "the first Tab put no mark on the menu button"
xdotool key Tab
waitUntil 50 isWhite "$favoriteX" "$ringTopY" || fail "the second Tab put no mark on the star"
isNotWhite "$menuX" "$ringTopY" || fail "the menu button kept its mark after the focus left it"
xdotool key Tab
waitUntil 50 isWhite "$newAdviceX" "$ringTopY" || fail "the third Tab put no mark on the +"
xdotool key shift+Tab
waitUntil 50 isWhite "$favoriteX" "$ringTopY" || fail "Shift+Tab did not bring the mark back to the star"
check "Tab and Shift+Tab moved a mark along the three buttons"

xdotool key Return
waitUntil 50 favoriteWritten || fail "Return on the marked star did not mark the advice"
check "Return pressed the marked star: the advice is marked in its set file"

# A click anywhere takes the mark away: the mouse user's screen is as before.
xdotool mousemove --window "$window" 250 20 click 1
waitUntil 50 isNotWhite "$favoriteX" "$ringTopY" || fail "a click left the mark on the star"
check "a click took the mark away"

#-------------------------------------------------------------------------------------------------------
# Options by the keyboard: Escape leaves everything as it was.
cp "$app/Musewheeler.ini" "$work/before-options.ini"
openOptionsByKeys "for Escape"
# Tab by Tab, each looked at as a user looks at the mark, down to the set list (the panel itself has the
# keys when it opens).
xdotool key Tab
waitUntil 50 isWhite 320 77 || fail "Tab put no mark on the interface list"
xdotool key Tab
waitUntil 50 isWhite 320 107 || fail "the second Tab put no mark on the set language list"
xdotool key Tab
waitUntil 50 isWhite 320 137 || fail "the third Tab put no mark on the set list"
xdotool key Down
windowSettles || fail "the options panel did not settle after Down"
xdotool key Escape
waitUntil 50 mainScreenShown || fail "Escape did not close the options panel"
cmp "$work/before-options.ini" "$app/Musewheeler.ini" || fail "Escape changed the settings file"
check "in the options, Escape closed the panel and left the settings file as it was"

# Return takes the choice over: the favourites, written to the file.
openOptionsByKeys "for Return"
for list in 77 107 137; do
    xdotool key Tab
    waitUntil 50 isWhite 320 "$list" || fail "Tab put no mark on the list at $list"
done
xdotool key Down
windowSettles || fail "the options panel did not settle after Down"
xdotool key Return
waitUntil 50 mainScreenShown || fail "Return did not close the options panel"
waitUntil 50 configHasFavorites || fail "Return did not write the favourites: $(configText)"
check "in the options, Return on the set list took the favourites over and wrote them"

stopProgram
echo "PASS"
