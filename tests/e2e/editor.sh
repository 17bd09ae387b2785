#!/bin/bash
# The set editor inside the program as a user meets it: Sets edition, New set, an advice typed into the
# editable label, Control+S through the save-as chooser, Back, and the new set in the next
# draws; then closing the window with unsaved changes: Cancel keeps the program running, Ignore quits.
# Usage: editor.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
source "$(dirname "$0")/lib/session.sh"

oldAdvice="Red advice: play the melody backwards."
newAdvice="Hum the tune in the shower."
writeSet a-red.mwh "Red set" 1 "200,30,30" "1," "$oldAdvice"

startDisplay
writeConfig
startProgram

#-------------------------------------------------------------------------------------------------------
# A new set, one advice typed, saved through the chooser.
openFromMenu 3
[ "$(title)" = "Musewheeler" ] || fail "the editor opened with the title '$(title)'"
clickAt "$newSetX" "$newSetY"
waitForTitle "Musewheeler*"
check "Sets edition opened the editor and New set made an unsaved set"

# The program takes the click and the keys in the order they come.
xdotool mousemove --window "$window" "$adviceX" "$adviceY" click 1
xdotool key ctrl+a
xdotool type --delay 20 "$newAdvice"
xdotool key Return

saveThroughChooser "mine.mwh"
waitForTitle "Musewheeler - mine.mwh"
saved="$app/data/mine.mwh"
[ -f "$saved" ] || fail "no mine.mwh in the data folder"
iconv -f UTF-16 -t UTF-8 "$saved" | tr -d '\r' | grep -qx "Item=$newAdvice;" \
    || fail "mine.mwh does not hold the typed advice: $(iconv -f UTF-16 -t UTF-8 "$saved")"
check "Control+S saved the set with the typed advice through the chooser"

#-------------------------------------------------------------------------------------------------------
# Back on the main screen, the new set takes part in the draws.
clickAt "$backX" "$backY"
waitForTitle "Musewheeler"
declare -A seen=()
for _ in 1 2 3 4; do
    seen[$(copyCurrentAdvice)]=1
    [ -n "${seen[$newAdvice]+set}" ] && break
    clickAt "$newAdviceX" "$buttonsY"
done
[ -n "${seen[$newAdvice]+set}" ] || fail "the new set's advice never came up: ${!seen[*]}"
check "Back returned to the main screen and the new set's advice came up in the draws"

#-------------------------------------------------------------------------------------------------------
# Closing the window with unsaved changes in the editor.
openFromMenu 3
clickAt "$newSetX" "$newSetY"
waitForTitle "Musewheeler*"

closeWindow
answerQuestion Cancel
isRunning || fail "the program ended although the question was cancelled"
[ "$(title)" = "Musewheeler*" ] || fail "after Cancel the title is '$(title)'"
check "closing the window asked about the unsaved set, and Cancel kept the program running"

rm -f "$app/Musewheeler.ini"
closeWindow
answerQuestion Ignore
waitForEnd
[ "$(ls "$app/data")" = "$(printf 'a-red.mwh\nmine.mwh')" ] || fail "the data folder holds $(ls "$app/data")"
[ -f "$app/Musewheeler.ini" ] || fail "the configuration was not written at the end"
check "Ignore quit without saving, and the configuration was written"

echo "PASS"
