#!/bin/bash
# The star against the advice timer: with a draw every 5 seconds, the pointer resting on the star (or
# pressing it) across the moment a draw is due keeps the advice on screen, and the click marks that advice
# in its set file, not another.
# Usage: star-race.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
source "$(dirname "$0")/lib/session.sh"

# One advice per set and one colour per set, so that the frame colour tells which advice is shown.
writeSet a-red.mwh "Red set" 1 "200,30,30" "1," "Red advice: play the melody backwards."
writeSet b-green.mwh "Green set" 1 "30,160,60" "1," "Green advice: write with three notes only."
writeSet c-blue.mwh "Blue set" 1 "30,60,200" "1," "Blue advice: change the key for the bridge."
declare -A fileOfColour=([C81E1E]=a-red.mwh [1EA03C]=b-green.mwh [1E3CC8]=c-blue.mwh)
writeConfig Timer=5

frameColour() { pixel "$frameX" "$frameY"; }

# The set files that hold a mark, whichever encoding they are in now (the program writes its own).
markedFiles()
{
    local file
    for file in "$app"/data/*.mwh; do
        if head -c 2 "$file" | od -An -tx1 | grep -q 'ff fe'; then
            iconv -f UTF-16 -t UTF-8 "$file"
        else
            cat "$file"
        fi | tr -d '\r' | grep -qx "Favorite=true;" && basename "$file"
    done
    return 0
}

marksAre() { [ "$(markedFiles | tr '\n' ' ')" = "$1" ]; }

adviceShot() { shot "$work/advice-now.png"; convert "$work/advice-now.png" -crop "$adviceBox" +repage "$1"; }

adviceStillThat()
{
    adviceShot "$work/advice-look.png"
    [ "$(compare -metric AE "$1" "$work/advice-look.png" /dev/null 2>&1)" = 0 ]
}

# shownSet: the set file of the advice on screen, once the frame has finished any fade towards its colour.
shownSet()
{
    local colour
    colour=$(frameColour)
    [ -n "${fileOfColour[$colour]+set}" ] || return 1
    echo "${fileOfColour[$colour]}"
}

startDisplay
startProgram

#-------------------------------------------------------------------------------------------------------
# The pointer rests on the star across a due draw, then clicks.
xdotool mousemove --window "$window" "$favoriteX" "$buttonsY"
adviceShot "$work/advice-at-arrival.png"
# Seven seconds, past the timer's period of five: a draw fell due while the pointer was there.
holdsFor 70 adviceStillThat "$work/advice-at-arrival.png" || fail "the timer drew while the pointer rested on the star"
waitUntil 50 shownSet >/dev/null || fail "the frame shows no set's colour: $(frameColour)"
shown=$(shownSet)
xdotool click 1
waitUntil 50 marksAre "$shown " || fail "the star marked '$(markedFiles | tr '\n' ' ')', not the shown $shown"
check "with the pointer on the star across a due draw, the advice stayed and the click marked it ($shown)"

#-------------------------------------------------------------------------------------------------------
# The star held down across a due draw, then let go: the shown advice's mark is taken off again.
adviceShot "$work/advice-at-press.png"
xdotool mousedown 1
holdsFor 70 adviceStillThat "$work/advice-at-press.png" || fail "the timer drew while the star was held down"
xdotool mouseup 1
waitUntil 50 marksAre "" || fail "the second click left the marks '$(markedFiles | tr '\n' ' ')'"
check "holding the star down across a due draw, the release unmarked the same advice"

# Off the buttons, the held draw comes.
xdotool mousemove --window "$window" 250 5
stopProgram
echo "PASS"
