#!/bin/bash
# The Windows program under Wine, as a user meets it: the window shown, "+" draws a new advice, the star
# marks it in the set file, Copy fills the clipboard, F1 hands the help page to the browser, the editor
# saves a new set through Windows' own save dialog, and closing the window ends the program within 3 s.
# Then the same card in French. Pictures of both are left in SHOTS_FOLDER when one is given.
# Usage: program-under-wine.sh MUSEWHEELER_EXE SOURCE_DIR WINEPREFIX [SHOTS_FOLDER]
set -euo pipefail

program="$1"
sourceDir="$2"
shots="${4:-}"
source "$sourceDir/tests/windows/lib/wine.sh"
prepareWinePrefix "$3"
programFile=Musewheeler.exe
programWrapper=(wine)
# Wine starts its own services with the program's first window.
windowTimeout=60
source "$sourceDir/tests/e2e/lib/session.sh"
stopWine
trap 'cleanUp; stopWine' EXIT

writeSet a-red.mwh "Red set" 1 "200,30,30" "1," "Red advice: play the melody backwards."
writeSet b-green.mwh "Green set" 1 "30,160,60" "1," "Green advice: write with three notes only."
writeSet c-blue.mwh "Blue set" 1 "30,60,200" "1," "Blue advice: change the key for the bridge."

declare -A fileOfColour=([C81E1E]=a-red.mwh [1EA03C]=b-green.mwh [1E3CC8]=c-blue.mwh)

fileText() { iconv -f UTF-16 -t UTF-8 "$1" 2>/dev/null | tr -d '\r'; }
frameColour() { pixel "$frameX" "$frameY"; }
favoriteWritten() { fileText "$app/data/$1" | grep -x "Favorite=true;" >/dev/null; }
ended() { ! isRunning; }

keepShot()
{
    if [ -n "$shots" ]; then
        mkdir -p "$shots"
        shot "$shots/$1"
    fi
}

# closeAndTime: the close button of the title bar; the program must be gone within 3 s.
closeWithinThreeSeconds()
{
    local start=$EPOCHREALTIME
    clickCloseButton
    waitUntil 30 ended || fail "the program still ran 3 s after its window was closed"
    local micro=$((${EPOCHREALTIME//[!0-9]/} - ${start//[!0-9]/}))
    wait "$programPid" 2>/dev/null || true
    programPid=""
    check "closed: the program ended $((micro / 1000)) ms after the click on the close button"
}

startDisplay

#-------------------------------------------------------------------------------------------------------
writeConfig Language=1
startProgram
check "the window is shown and painted"
keepShot windows-en.png

# frameTakesASetColourOtherThan COLOUR: the frame shows a set's colour, not COLOUR (the fade passes through
# colours of no set); sets after.
frameTakesASetColourOtherThan()
{
    after=$(frameColour)
    [ -n "${fileOfColour[$after]+set}" ] && [ "$after" != "$1" ]
}

before=$(frameColour)
clickAt "$newAdviceX" "$buttonsY"
waitUntil 50 frameTakesASetColourOtherThan "$before" || fail "\"+\" did not bring another set's advice (frame $before)"
windowSettles || fail "the window did not settle after the draw"
check "\"+\" drew a new advice (frame $before, then $after)"

clickAt "$favoriteX" "$buttonsY"
waitUntil 50 favoriteWritten "${fileOfColour[$after]}" || fail "the star did not mark the advice in ${fileOfColour[$after]}"
check "the star wrote Favorite=true into ${fileOfColour[$after]}"

copied=$(copyCurrentAdvice)
case "$copied" in
    *advice:*) ;;
    *) fail "the clipboard holds '$copied' after Copy, not the shown advice" ;;
esac
check "Copy put the shown advice in the clipboard: $copied"

address=$(helpAddressAfterF1) || exit 1
[ "$address" = "file://$app/help/index.html" ] || fail "F1 asked the browser for '$address', not the English help page"
check "F1 handed the help page to the browser: $address"

openFromMenu 3
xdotool key ctrl+n
waitForTitle "Musewheeler*" "after Control+N"
xdotool key Return
xdotool type --delay 20 "Typed under Wine"
xdotool key Return
windowSettles || fail "the editor did not settle after the typed advice"
xdotool key ctrl+s
chooser=$(chooserWindow "Choose the place to save your set")
[ -n "$chooser" ] || fail "Control+S brought up no save dialog"
# The dialog's name field has the keyboard as it opens (Wine gives the X focus to a window of its own, so
# the focus is not looked at: the file written says whether the keys arrived).
windowSettles "$chooser" || fail "the save dialog did not show"
xdotool type --delay 20 "under-wine.mwh"
xdotool key Return
waitForTitle "Musewheeler - under-wine.mwh" "after the name and Return in the save dialog"
fileText "$app/data/under-wine.mwh" | grep -qx "Item=Typed under Wine;" \
    || fail "under-wine.mwh does not hold the typed advice: $(fileText "$app/data/under-wine.mwh")"
check "the editor saved a new set through the save dialog: under-wine.mwh holds the advice"

closeWithinThreeSeconds

#-------------------------------------------------------------------------------------------------------
writeSet d-rouge.mwh "Set rouge" 0 "200,30,30" "1," "Conseil rouge : jouez la mélodie à l'envers."
writeConfig Language=0 LanguageSet=0
startProgram
keepShot windows-fr.png
# The menu in French, as its own window above the card.
clickAt "$menuX" "$buttonsY"
waitUntil 50 popupShown || fail "the menu did not open"
popupSettles || fail "the menu did not show"
if [ -n "$shots" ]; then
    clientArea
    import -window root -crop "${clientWidth}x${clientHeight}+${clientX}+${clientY}" +repage "$shots/windows-fr-menu.png"
fi
xdotool key Escape
waitUntil 50 popupGone || fail "Escape left the menu open"
check "the card and its menu in French"
closeWithinThreeSeconds

echo "PASS"
