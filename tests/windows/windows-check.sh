#!/bin/bash
# The Windows build checked under Wine 8 and Xvfb, as far as Wine can check it (docs/windows-notes.md says
# what it cannot): the unit tests, musewheeler-sets run as a process by the Linux build's own script, and
# the program driven as a user would, its pictures left in WINDOWS_DIR/screenshots. Every step runs; the
# script fails if any did.
# Usage: windows-check.sh WINDOWS_DIR SOURCE_DIR
set -uo pipefail

windowsDir=$(realpath "$1")
sourceDir=$(realpath "$2")
build="$windowsDir/build"
artefacts="$build/Musewheeler_artefacts/Release"

source "$sourceDir/tests/windows/lib/wine.sh"
source "$sourceDir/tests/e2e/lib/display.sh"
prepareWinePrefix "$windowsDir/wine-prefix" || exit 1

work=$(mktemp -d /tmp/musewheeler-windows.XXXXXX)
trap 'stopDisplay; stopWine; rm -rf "$work"' EXIT
failedSteps=()

# step NAME COMMAND...: runs one check, says how it went and how long it took.
step()
{
    local name="$1" start=$SECONDS
    shift
    echo "== $name"
    if "$@"; then
        echo "-- $name: passed in $((SECONDS - start)) s"
    else
        echo "-- $name: FAILED after $((SECONDS - start)) s"
        failedSteps+=("$name")
    fi
}

# The unit tests that run on Windows; those that need a POSIX fault skip themselves and say why. The
# toolkit's message loop makes a hidden window, which Wine's X11 driver wants a display for.
unitTests()
{
    startDisplay bare
    wine "$build/tests/bin/MusewheelerTests.exe" --gtest_color=no >"$work/unit.log" 2>&1
    local result=$?
    stopDisplay
    stopWine
    tr -d '\r' <"$work/unit.log" >"$work/unit.txt"
    grep -E '^\[  (FAILED|SKIPPED) +\] [^ ]+\.[^ ]+ \(' "$work/unit.txt" | sed 's/ ([0-9]* ms)$//'
    # Each skip with the reason the test gave.
    awk '/^\[ RUN      \]/ { name = $4; reason = "" }
         /: Skipped$/ { getline; reason = $0 }
         /^\[  SKIPPED \] .* \(/ { print "   skipped " name ": " reason }' "$work/unit.txt"
    grep -E '^\[==========\] .* ran\.|^\[  (PASSED|SKIPPED|FAILED) +\] [0-9]+ tests?' "$work/unit.txt"
    [ "$result" = 0 ]
}

# musewheeler-sets through Wine, by the script that checks the Linux build (it takes the Windows line ends and
# path names into account). The stand-in command runs the Windows program with its output straight to the
# script's files, pipes and full disks; in a UTF-8 locale, as Wine hands a program the arguments it is given
# in the locale's encoding, and Windows takes them as UTF-16 text.
setsCommand()
{
    cat >"$work/musewheeler-sets" <<STANDIN
#!/bin/sh
LC_ALL=C.UTF-8 exec wine "$artefacts/musewheeler-sets.exe" "\$@"
STANDIN
    chmod +x "$work/musewheeler-sets"
    MUSEWHEELER_SETS_UNDER_WINE=1 bash "$sourceDir/tests/cli/sets-command.sh" "$work/musewheeler-sets" "$sourceDir"
}

programUnderWine()
{
    bash "$sourceDir/tests/windows/program-under-wine.sh" "$artefacts/Musewheeler.exe" "$sourceDir" \
        "$WINEPREFIX" "$windowsDir/screenshots"
}

step "unit tests under Wine" unitTests
step "musewheeler-sets under Wine" setsCommand
step "the program under Wine" programUnderWine

if [ "${#failedSteps[@]}" -gt 0 ]; then
    echo "FAILED: ${failedSteps[*]}"
    exit 1
fi
echo "PASS: every Windows check"
