#!/bin/bash
# A new set saved by the keyboard alone, whichever file chooser the desktop offers: Tab and Return open the
# menu, the arrows and Return take Sets edition, Control+N makes a set, an advice is typed, Control+S brings
# up the chooser with the keyboard in its name field, a name and Return write the file. Then the same with
# zenity and kdialog hidden, through the toolkit's chooser, in French: its title in the title bar and its
# texts in French; Escape leaves it without writing anything.
# Usage: save-by-keyboard.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
source "$(dirname "$0")/lib/session.sh"

writeSet a-red.mwh "Red set" 1 "200,30,30" "1," "Red advice: play the melody backwards."

fileText() { iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r'; }
title() { xdotool getwindowname "$window" 2>/dev/null; }
editorShown() { [ "$(title)" != "${1:-}" ] || [ "$(pixel 15 100)" != 000000 ]; }

# openEditorByKeys: Tab to the menu button, Return, then Sets edition (the third entry) by the arrows.
openEditorByKeys()
{
    shot "$work/before-editor.png"
    xdotool key Tab Return
    waitUntil 50 popupShown || fail "Tab and Return opened no menu"
    popupSettles || fail "the menu did not show"
    xdotool key Down Down Down Return
    waitUntil 50 popupGone || fail "the menu stayed open after Sets edition was taken"
    waitUntil 50 windowDiffersFrom "$work/before-editor.png" || fail "Sets edition showed no editor"
    windowSettles || fail "the editor did not settle"
}

# newSetTyped TEXT: Control+N, then the advice typed into the new set's field and taken with Return. Plain
# ASCII: xdotool types other letters by remapping a key, which a busy display may miss.
newSetTyped()
{
    xdotool key ctrl+n
    waitForTitle "Musewheeler*" "after Control+N"
    # The new set's advice field is edited once clicked or Tabbed to: Return opens it for typing.
    xdotool key Return
    xdotool type --delay 20 "$1"
    xdotool key Return
    # The advice taken, as the user sees it before saving.
    windowSettles || fail "the editor did not settle after the typed advice"
}

startDisplay

#-------------------------------------------------------------------------------------------------------
# The desktop's chooser (zenity once `make deps` ran), or the toolkit's where there is none.
writeConfig
startProgram
openEditorByKeys
newSetTyped "Typed and saved by keys"
saveThroughChooser "by-keys.mwh"
waitForTitle "Musewheeler - by-keys.mwh" "after the name and Return in the chooser"
fileText "$app/data/by-keys.mwh" | grep -qx "Item=Typed and saved by keys;" \
    || fail "by-keys.mwh does not hold the typed advice: $(fileText "$app/data/by-keys.mwh")"
check "a new set typed and saved by the keyboard alone through ${chooserKind:-an unnamed} chooser: by-keys.mwh holds the advice"
stopProgram

#-------------------------------------------------------------------------------------------------------
# The toolkit's chooser, in French.
hideNativeChoosers
writeConfig Language=0
startProgram
openEditorByKeys
newSetTyped "Saisi au clavier"
xdotool key ctrl+s
chooser=$(chooserWindow "Choisissez l'emplacement du set à sauvegarder")
[ -n "$chooser" ] || fail "Control+S brought up no chooser titled in French"
windowSettles "$chooser" || fail "the toolkit's chooser did not show"
waitUntil 50 hasFocus "$chooser" || fail "the toolkit's chooser did not get the keyboard"
xprop -id "$chooser" _NET_FRAME_EXTENTS | grep -q '= [0-9]*, [0-9]*, [1-9]' \
    || fail "the toolkit's chooser has no title bar: $(xprop -id "$chooser" _NET_FRAME_EXTENTS)"
import -window "$chooser" "$work/chooser.png"
cp "$work/chooser.png" /tmp/save-by-keyboard-chooser.png 2>/dev/null || true
check "the toolkit's chooser came up framed, titled in French, with the keyboard"

# Escape leaves it, and the set stays unsaved.
xdotool key Escape
waitUntil 50 hasFocus "$window" || fail "Escape did not close the chooser"
[ "$(title)" = "Musewheeler*" ] || fail "after Escape the title is $(title)"
check "Escape left the chooser and kept the set unsaved"

xdotool key ctrl+s
chooser=$(chooserWindow "Choisissez l'emplacement du set à sauvegarder")
[ -n "$chooser" ] || fail "the second Control+S brought up no chooser"
waitUntil 50 hasFocus "$chooser" || fail "the toolkit's chooser did not get the keyboard again"
xdotool type --delay 20 "au-clavier.mwh"
xdotool key Return
waitForTitle "Musewheeler - au-clavier.mwh" "after the name and Return in the toolkit's chooser"
fileText "$app/data/au-clavier.mwh" | grep -qx "Item=Saisi au clavier;" \
    || fail "au-clavier.mwh does not hold the typed advice: $(fileText "$app/data/au-clavier.mwh")"
check "the toolkit's chooser took the typed name and Return: au-clavier.mwh holds the advice"

stopProgram
echo "PASS"
