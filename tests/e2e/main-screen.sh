#!/bin/bash
# The main screen as a user meets it: first start, a draw with its colour fade, the favourite star, the
# copy entry of the menu, F1, closing through the window manager, the next start and the advice timer.
# Usage: main-screen.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
# A folder name holding what /bin/sh would act on: the help page's address must still run nothing.
appName="it's \"odd\" \$HOME \`touch CANARY\` \$(touch CANARY) app"
source "$(dirname "$0")/lib/session.sh"

# One advice per set and one colour per set, so that the frame colour tells which advice is shown.
writeSet a-red.mwh "Red set" 1 "200,30,30" "1," "Red advice: play the melody backwards."
writeSet b-green.mwh "Green set" 1 "30,160,60" "1," "Green advice: write with three notes only."
writeSet c-blue.mwh "Blue set" 1 "30,60,200" "1," "Blue advice: change the key for the bridge."

declare -A adviceOfColour=(
    [C81E1E]="Red advice: play the melody backwards."
    [1EA03C]="Green advice: write with three notes only."
    [1E3CC8]="Blue advice: change the key for the bridge."
)
declare -A fileOfColour=([C81E1E]=a-red.mwh [1EA03C]=b-green.mwh [1E3CC8]=c-blue.mwh)
declare -A indexOfColour=([C81E1E]=0 [1EA03C]=1 [1E3CC8]=2)

frameColour() { pixel "$frameX" "$frameY"; }
geometry() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'; }
notMaximised() { [ "$(geometry)" = "500x350" ]; }
frameIs() { [ "$(frameColour)" = "$1" ]; }

# frameTakesASetColourOtherThan COLOUR: the frame shows a set's colour, not COLOUR (the fade passes through
# colours of no set); sets after.
frameTakesASetColourOtherThan()
{
    after=$(frameColour)
    [ -n "${adviceOfColour[$after]+set}" ] && [ "$after" != "$1" ]
}

favoriteWritten()
{
    iconv -f UTF-16 -t UTF-8 "$setFile" | tr -d '\r' | grep -x "Favorite=true;" >/dev/null
}

startDisplay

#-------------------------------------------------------------------------------------------------------
# First start.
startProgram

geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "500x350" ] || fail "window is $geometry, not 500x350"
[ "$(xdotool getwindowname "$window")" = "Musewheeler" ] || fail "title is $(xdotool getwindowname "$window")"
allowed=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -q "_NET_WM_ACTION_CLOSE" <<<"$allowed" || fail "the window manager offers no close: $allowed"
! grep -qE "_NET_WM_ACTION_(RESIZE|MAXIMIZE)" <<<"$allowed" || fail "the window can be resized: $allowed"
wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
holdsFor 5 notMaximised || fail "the window was maximised to $(geometry)"
check "the window is 500 x 350, fixed, titled Musewheeler"

{
    printf '\xff\xfe'
    printf 'Musewheeler V1 - Init Data File\r\nLanguage=1;\r\nLanguageSet=-1;\r\nSets=;\r\nTags=-1;\r\nLastItem=-1;\r\nLookForFavorites=false;\r\nTimer=0;\r\n' \
        | iconv -f UTF-8 -t UTF-16LE
} > "$work/expected.ini"
cmp "$work/expected.ini" "$app/Musewheeler.ini" || fail "the first start did not write the default configuration"
check "the first start wrote the default configuration byte for byte"

before=$(frameColour)
[ -n "${adviceOfColour[$before]+set}" ] || fail "the frame has no set colour: $before"

clickAt "$newAdviceX" "$buttonsY"
# The fade holds the old colour for two seconds: still there after 0.8 s.
holdsFor 8 frameIs "$before" || fail "the frame changed colour at once"
after=""
waitUntil 50 frameTakesASetColourOtherThan "$before" || {
    [ -n "${adviceOfColour[$after]+set}" ] || fail "after the fade the frame has no set colour: $after"
    fail "the new advice kept the colour $before"
}
check "a click on + drew another advice and the frame took its colour after the fade"

copied=$(copyCurrentAdvice)
[ "$copied" = "${adviceOfColour[$after]}" ] || fail "the clipboard holds '$copied'"
check "Copy the current advice put the shown advice on the clipboard"

setFile="$app/data/${fileOfColour[$after]}"
clickAt "$favoriteX" "$buttonsY"
waitUntil 50 favoriteWritten || fail "the star did not mark the advice in ${fileOfColour[$after]}"
check "the star rewrote the set file with the mark"

address=$(helpAddressAfterF1) || exit 1
case "$address" in
    *'"'* | *'`'* | *'$'*) fail "the address holds shell characters: $address" ;;
esac
[ "${address:0:7}" = "file://" ] || fail "not a file address: $address"
encoded="${address:7}"
decoded=$(printf '%b' "${encoded//%/\\x}")
[ "$decoded" = "$app/help/index.html" ] || fail "F1 opened $decoded"
[ ! -e "$work/CANARY" ] && [ ! -e "$app/CANARY" ] || fail "the folder name ran a command"
check "F1 handed the help page's address to the browser, and nothing ran"

stopProgram
grep -qx "LastItem=${indexOfColour[$after]};" <<<"$(configText)" || fail "LastItem is not the shown advice: $(configText)"
check "closing the window wrote the shown advice as LastItem"

#-------------------------------------------------------------------------------------------------------
# Next start, with the advice timer configured at 5 seconds.
configText | sed 's/^Timer=.*/Timer=5;/' | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE > "$work/timer.ini"
{ printf '\xff\xfe'; cat "$work/timer.ini"; } > "$app/Musewheeler.ini"

startProgram
[ "$(frameColour)" = "$after" ] || fail "the next start shows another set's colour: $(frameColour)"
copied=$(copyCurrentAdvice)
[ "$copied" = "${adviceOfColour[$after]}" ] || fail "the next start shows '$copied'"
check "the next start showed the same advice"

# The timer's draw may fall on the shown advice once; within two ticks it cannot twice.
frameIsASetColour()
{
    changed=$(frameColour)
    [ -n "${adviceOfColour[$changed]+set}" ]
}
changed=""
for _ in $(seq 34); do
    sleep 0.5
    colour=$(frameColour)
    if [ "$colour" != "$after" ]; then
        # The fade has begun; its last step follows within a second.
        waitUntil 30 frameIsASetColour || true
        break
    fi
done
[ -n "$changed" ] || fail "the advice timer drew nothing in 17 seconds"
[ -n "${adviceOfColour[$changed]+set}" ] || fail "after the timer's draw the frame is $changed"
check "the configured timer drew a new advice by itself"

stopProgram
grep -qx "Timer=5;" <<<"$(configText)" || fail "the timer period was not kept"
check "the timer period was kept at the end"

echo "PASS"
