#!/bin/bash
# portable-check.sh ZIP VERSION [WINEPREFIX]: tries the portable zip under Wine, in a Wine prefix of its own
# (tests/windows/lib/package-check.sh): unpacked into a folder of the prefix, it holds the programs, the
# help, the shipped sets in data\ and a README.txt for Windows' editors; the program started from there
# shows its window and keeps everything beside itself (Musewheeler.ini), writing nowhere else;
# musewheeler-sets.exe lists the same sets.
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 ZIP VERSION [WINEPREFIX]" >&2
    exit 2
fi

zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
version=$2
here=$(cd "$(dirname "$0")" && pwd)
sourceDir=$(cd "$here/../.." && pwd)
prefix=${3:-}
source "$here/lib/package-check.sh"

[ -f "$zip" ] || fail "no zip at $zip"
startWine

# A folder of the prefix's own: Wine links the user's Documents and Desktop to the Unix home.
unpacked="$WINEPREFIX/drive_c/Portable"
mkdir -p "$unpacked"
# CMake reads zip files, and is there wherever the build is.
(cd "$unpacked" && cmake -E tar xf "$zip") || fail "the zip could not be unpacked"
copy="$unpacked/Musewheeler-$version"
[ -d "$copy" ] || fail "the zip holds no folder Musewheeler-$version"
for file in Musewheeler.exe musewheeler-sets.exe README.txt help/index.html help/fr/index.html; do
    [ -f "$copy/$file" ] || fail "the zip lacks $file"
done
[ "$(cd "$copy/data" && ls -- *.mwh)" = "$(cd "$sourceDir/data" && ls -- *.mwh)" ] || fail "data\\ does not hold the shipped sets"
[ ! -e "$copy/shipped" ] || fail "the portable copy holds shipped\\, which is the setup's"
grep -q "Musewheeler $version" "$copy/README.txt" || fail "README.txt does not name version $version"
[ "$(grep -c $'\r$' "$copy/README.txt")" = "$(wc -l < "$copy/README.txt")" ] || fail "README.txt's lines do not end in CR LF"
check "unpacked into $copy: the programs, help, data\\ and README.txt"

(cd "$copy/data" && md5sum -- *.mwh) > "$work/sets.md5"
touch "$work/started"
startAndClose "$copy/Musewheeler.exe"
[ -f "$copy/Musewheeler.ini" ] || fail "the program kept no Musewheeler.ini beside itself"
(cd "$copy/data" && md5sum --quiet -c "$work/sets.md5") || fail "starting the program changed the sets"
[ ! -e "$copy/shipped-sets.txt" ] || fail "the portable copy made a record of shipped sets"
# Beside its settings, the program wrote nothing in its folder nor in the user's.
written=$(find "$copy" "$WINEPREFIX/drive_c/users" -newer "$work/started" -type f ! -path "$copy/Musewheeler.ini" |
    head -n 5)
[ -z "$written" ] || fail "the portable program wrote outside its folder: $written"
check "the program ran from $copy, its settings beside itself, writing nowhere else"

listed=$(cd "$copy" && runWine "$copy/musewheeler-sets.exe" sets 2>"$work/sets-command.log" | tr -d '\r') ||
    fail "musewheeler-sets sets failed: $(cat "$work/sets-command.log")"
for set in "$sourceDir"/data/*.mwh; do
    grep -qF "$(basename "$set")" <<<"$listed" || fail "musewheeler-sets does not list $(basename "$set"): $listed"
done
check "musewheeler-sets.exe lists the sets of data\\"

echo "PASS: the portable zip of Musewheeler $version"
