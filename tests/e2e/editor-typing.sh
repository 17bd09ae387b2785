#!/bin/bash
# What the user types into the set editor is seen while it is typed and kept on every way out of the field:
# light glyphs on the editor's dark page before Return; Control+S, Control+W, Control+N and the window's
# close button with a text still being typed; Escape, the one way that drops it; the questions answered
# from the keyboard as well as with the mouse; and the file on disk after each.
# Usage: editor-typing.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
source "$(dirname "$0")/lib/session.sh"

writeSet a-red.mwh "Red set" 1 "200,30,30" "1," "Red advice: play the melody backwards."

# typeIntoAdvice TEXT: a click into the advice field, everything selected and replaced, no Return. The
# program takes the click and the keys in the order they come, so nothing is waited for in between.
typeIntoAdvice()
{
    clickAt "$adviceX" "$adviceY"
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
}

# The light glyphs in the advice field, counted on the window's picture.
lightInAdvice() { countColour white "$editorAdviceBox"; }

# The typed text shows: the field holds 150 light pixels more than empty.
typedTextShows()
{
    typed=$(lightInAdvice)
    [ "$typed" -gt $((empty + 150)) ]
}

fileText() { iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r'; }

startDisplay
writeConfig
startProgram

openFromMenu 3
clickAt "$newSetX" "$newSetY"
waitForTitle "Musewheeler*"

#-------------------------------------------------------------------------------------------------------
# Typing is seen before Return.
clickAt "$adviceX" "$adviceY"
xdotool key ctrl+a BackSpace
# The emptied field painted (its caret may blink: a still picture comes between two blinks).
windowSettles || true
empty=$(lightInAdvice)
xdotool type --delay 20 "WWW MMM typed and seen"
typed=""
waitUntil 50 typedTextShows \
    || fail "the typed text does not show: $typed light pixels in the field, $empty before typing"
cp "$work/count.png" "/tmp/editor-typing-seen.png" 2>/dev/null || true
check "the typed advice shows in light glyphs before Return ($typed light pixels, $empty before)"

#-------------------------------------------------------------------------------------------------------
# Control+S with the text still being typed: the chooser, then the file holds the typed text.
saveThroughChooser "typed.mwh"
waitForTitle "Musewheeler - typed.mwh"
saved="$app/data/typed.mwh"
fileText "$saved" | grep -qx "Item=WWW MMM typed and seen;" \
    || fail "typed.mwh does not hold the text being typed: $(fileText "$saved")"
check "Control+S saved the text still being typed, and the title lost its star"

#-------------------------------------------------------------------------------------------------------
# Escape drops the text being typed, and only that.
typeIntoAdvice "Dropped with Escape"
xdotool key Escape
# The field closed and painted: a text kept would have starred the title by then.
windowSettles || true
[ "$(title)" = "Musewheeler - typed.mwh" ] || fail "Escape left the title '$(title)'"
check "Escape dropped the text being typed and left the set saved"

#-------------------------------------------------------------------------------------------------------
# Control+W and Control+N ask first; Cancel, by the mouse or by Escape, keeps the text being typed.
typeIntoAdvice "Kept through the questions"
xdotool key ctrl+w
answerQuestion Cancel
waitForTitle "Musewheeler - typed.mwh*"
waitForFocus "after Cancel on the question"
check "Control+W asked about the text being typed, and Cancel kept the set open"

typeIntoAdvice "Kept again"
xdotool key ctrl+n
question=$(questionWindow) || fail "Control+N asked nothing"
windowSettles "$question" || fail "the question of Control+N did not show"
xdotool key --window "$question" Escape
waitUntil 50 questionGone || fail "Escape did not close the question"
waitForTitle "Musewheeler - typed.mwh*"
fileText "$saved" | grep -qx "Item=WWW MMM typed and seen;" || fail "typed.mwh changed: $(fileText "$saved")"
waitForFocus "after Escape on the question"
check "Control+N asked too, and Escape on the question cancelled it"

#-------------------------------------------------------------------------------------------------------
# The close button with a text still being typed asks; Yes writes it and the program ends.
typeIntoAdvice "Saved on the way out"
clickCloseButton
answerQuestion Yes
waitForEnd
fileText "$saved" | grep -qx "Item=Saved on the way out;" \
    || fail "the way out did not save the text being typed: $(fileText "$saved")"
check "the close button asked about the text being typed, and Yes saved it before the end"

echo "PASS"
