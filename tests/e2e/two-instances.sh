#!/bin/bash
# Two copies of the program started at once on the same folder, as a user double-clicking twice does:
# both open their window on a first start without settings, each marks the advice it shows, and neither
# mark is lost although both rewrite the same set file; no question or alert comes up; both end through
# their close button, and the settings file and the set file are whole afterwards, with nothing
# half-written left beside them.
# Usage: two-instances.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
source "$(dirname "$0")/lib/session.sh"

otherPid=""
otherWindow=""
trap '[ -n "$otherPid" ] && kill "$otherPid" 2>/dev/null; cleanUp' EXIT

writeSet songs.mwh "Songs" 1 "200,30,30" "1,2," \
    "Start with the chorus." "Write the words first." "Keep the verse to four bars." "End on the fourth."

markedAdvice()
{
    iconv -f UTF-16 -t UTF-8 "$app/data/songs.mwh" | tr -d '\r' \
        | awk '/^Item=/ { item = substr($0, 6, length($0) - 6) } /^Favorite=true;$/ { print item }' | sort
}

# marked ADVICE...: the set file marks exactly these advice.
marked() { [ "$(markedAdvice)" = "$(printf '%s\n' "$@" | sort -u)" ]; }

musewheelerWindows()
{
    xdotool search --onlyvisible --name '^Musewheeler' 2>/dev/null | sort -u
}

startDisplay

# Both at once: the second is started before the first has shown anything.
(cd "$work" && exec "$app/Musewheeler") >>"$work/program.log" 2>&1 &
programPid=$!
(cd "$work" && exec "$app/Musewheeler") >>"$work/other.log" 2>&1 &
otherPid=$!

for _ in $(seq 150); do
    [ "$(musewheelerWindows | wc -l)" -ge 2 ] && break
    sleep 0.2
done

windows=($(musewheelerWindows))
[ "${#windows[@]}" -eq 2 ] || fail "${#windows[@]} windows appeared, not 2"
kill -0 "$programPid" && kill -0 "$otherPid" || fail "one of the two programs ended"

# Which window is whose: the toolkit names the process on its window.
for id in "${windows[@]}"; do
    case "$(xdotool getwindowpid "$id")" in
        "$programPid") window="$id" ;;
        "$otherPid") otherWindow="$id" ;;
    esac
done
[ -n "$window" ] && [ -n "$otherWindow" ] || fail "the windows do not name their programs"
# Both open where the toolkit centres them, one over the other: each is brought up to be seen at its size,
# painted.
windowSize() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }
fullSize() { [ "$(windowSize "$1")" = "500x350" ]; }
# frontAndStill WINDOW: the window brought to the front again whenever the other took the keyboard back
# (each program gives its window the keyboard once started, which a slow start does after the other window
# was brought up, covering it), then one more picture of it.
frontAndStill()
{
    hasFocus "$1" || timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    pictureStill "$1"
}
for id in "$otherWindow" "$window"; do
    waitUntil 300 fullSize "$id" || fail "the window of program $(xdotool getwindowpid "$id") is $(windowSize "$id")"
    rm -f "$work/still-last.png"
    lastPlace=""
    waitUntil 300 frontAndStill "$id" || fail "the window of program $(xdotool getwindowpid "$id") was not painted"
done
check "both programs started at once and opened a window each"

configText | grep -qx "Language=1;" || fail "the settings written at the first start are $(configText)"
check "the settings file of the first start is whole: $(configText | head -n 1)"

# Each marks the advice it shows; the second has read the set before the first mark was written.
xdotool windowactivate --sync "$window"
first=$(copyCurrentAdvice)
clickAt "$favoriteX" "$buttonsY"
waitUntil 50 marked "$first" || fail "the first program's mark is not in the set file: '$(markedAdvice)'"

firstWindow="$window"
window="$otherWindow"
xdotool windowactivate --sync "$window"
second=$(copyCurrentAdvice)
clickAt "$favoriteX" "$buttonsY"

[ -n "$first" ] && [ -n "$second" ] || fail "an advice could not be copied: '$first', '$second'"
expected=$(printf '%s\n%s\n' "$first" "$second" | sort -u)
waitUntil 50 marked "$first" "$second" || true
[ "$(markedAdvice)" = "$expected" ] || fail "the set file marks '$(markedAdvice)', not '$expected'"
[ "$(musewheelerWindows | wc -l)" -eq 2 ] || fail "a question or an alert came up"
check "the marks of both programs are in the set file: $(markedAdvice | paste -sd '|')"

# The second draws on and ends first; the first ends last and decides the settings. The program takes the
# click and the close in the order they come.
clickAt "$newAdviceX" "$buttonsY"
closeWindow
for _ in $(seq 100); do
    kill -0 "$otherPid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$otherPid" 2>/dev/null && fail "the second program did not end"
wait "$otherPid" || true
otherPid=""

window="$firstWindow"
stopProgram
check "both programs ended through their close button"

[ "$(configText | head -n 1)" = "Musewheeler V1 - Init Data File" ] || fail "the settings file is damaged: $(configText)"
[ "$(configText | grep -c '=.*;$')" -eq 7 ] || fail "the settings file does not hold the seven settings: $(configText)"
[ "$(markedAdvice)" = "$expected" ] || fail "after the end the set file marks '$(markedAdvice)'"
[ "$(iconv -f UTF-16 -t UTF-8 "$app/data/songs.mwh" | grep -c '^Item=')" -eq 4 ] || fail "the set lost advice"
leftovers=$(find "$app" -maxdepth 2 -name '.*' -type f)
[ -z "$leftovers" ] || fail "files were left half-written: $leftovers"
check "the settings and the set file are whole, and nothing was left beside them"

echo "PASS"
