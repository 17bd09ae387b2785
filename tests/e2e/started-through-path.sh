#!/bin/bash
# The program started by its bare name through PATH from another folder, as a launcher or a terminal
# starts it: it finds its sets, its help pages and its settings file beside itself, not in the current
# folder, which holds sets and help pages of its own as decoys.
# Usage: started-through-path.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
source "$(dirname "$0")/lib/session.sh"

elsewhere="$work/elsewhere"
mkdir -p "$elsewhere/data" "$elsewhere/help"
writeSet decoy.mwh "Decoy set" 1 "30,60,200" "1," "Decoy advice: found in the current folder."
mv "$app/data/decoy.mwh" "$elsewhere/data/decoy.mwh"
echo "<html></html>" > "$elsewhere/help/index.html"
writeSet songs.mwh "Songs" 1 "200,30,30" "1," "Beside the program: start with the chorus."

startDisplay

(cd "$elsewhere" && PATH="$stubs:$app:$PATH" exec Musewheeler) >>"$work/program.log" 2>&1 &
programPid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Musewheeler' | head -n 1)
[ -n "$window" ] || fail "no window appeared"
waitUntil 300 hasFocus "$window" || fail "the window manager did not focus the window"
windowSettles "$window" 300 || fail "the window was not painted"
started=$(tr '\0' ' ' < "/proc/$programPid/cmdline")
[ "$started" = "Musewheeler " ] || fail "the program was started as '$started', not by its bare name"
check "the program started by its bare name from another folder"

[ -f "$app/Musewheeler.ini" ] || fail "no settings file was written beside the program"
[ ! -e "$elsewhere/Musewheeler.ini" ] || fail "the settings file was written in the current folder"
check "the first start wrote its settings beside the program"

copied=$(copyCurrentAdvice)
[ "$copied" = "Beside the program: start with the chorus." ] || fail "the advice shown is '$copied'"
check "the advice shown comes from the sets beside the program"

address=$(helpAddressAfterF1) || exit 1
[ "$address" = "file://$app/help/index.html" ] || fail "F1 opened $address"
check "F1 opened the help page beside the program"

stopProgram
grep -qx "LastItem=0;" <<<"$(configText)" || fail "the settings beside the program were not rewritten: $(configText)"
[ ! -e "$elsewhere/Musewheeler.ini" ] || fail "closing wrote the settings in the current folder"
check "closing rewrote the settings beside the program"

echo "PASS"
