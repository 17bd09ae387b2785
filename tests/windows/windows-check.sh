#!/bin/bash
# The Windows build checked under Wine 8 and Xvfb, as far as Wine can check it (docs/windows-notes.md says
# what it cannot): the unit tests and the plugin's, musewheeler-sets run as a process by the Linux build's
# own script, the VST3 in the toolkit's own host, the program driven as a user would (its pictures left in
# WINDOWS_DIR/screenshots), and the setup and the portable zip each in a Wine prefix of their own. Every
# step runs; the script fails if any did.
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

# runTests PROGRAM [ARGUMENTS...]: a test program of the Windows build under Wine, on a display of its own
# (the toolkit's message loop makes a hidden window, which Wine's X11 driver wants one for, and the host's
# editors show on it), its failures, skips with their reasons, and counts printed.
runTests()
{
    # Wine's desktop process keeps the display it started with: one left by a step without a display would
    # give the toolkit's windows no screen to show on.
    stopWine
    startDisplay
    wine "$1" --gtest_color=no "${@:2}" >"$work/unit.log" 2>&1
    local result=$?
    stopWine
    stopDisplay
    tr -d '\r' <"$work/unit.log" >"$work/unit.txt"
    grep -E '^\[  (FAILED|SKIPPED) +\] [^ ]+\.[^ ]+ \(' "$work/unit.txt" | sed 's/ ([0-9]* ms)$//'
    # Each skip with the reason the test gave.
    awk '/^\[ RUN      \]/ { name = $4; reason = "" }
         /: Skipped$/ { getline; reason = $0 }
         /^\[  SKIPPED \] .* \(/ { print "   skipped " name ": " reason }' "$work/unit.txt"
    grep -E '^\[==========\] .* ran\.|^\[  (PASSED|SKIPPED|FAILED) +\] [0-9]+ tests?' "$work/unit.txt"
    [ "$result" = 0 ] || tail -n 30 "$work/unit.txt"
    [ "$result" = 0 ]
}

# The unit tests that run on Windows; those that need a POSIX fault skip themselves and say why.
unitTests() { runTests "$build/tests/bin/MusewheelerTests.exe"; }
pluginUnitTests() { runTests "$build/tests/bin/MusewheelerPluginTests.exe"; }

# The VST3 in the toolkit's own VST3 host, built for Windows: found, two instances, audio through with a
# note, the Note's state restored, draws and the program's name with no window, editors opened and closed
# on the desktop at the card's size. The host's other cases compare pictures of the editor taken with X's
# tools by its window's X id, which a Windows host has not got. The toolkit's host on Windows loads a VST3
# by the module inside its bundle.
vst3InHost()
{
    local bundle="$work/host/Musewheeler.vst3"
    mkdir -p "$work/host/lv2"
    cp -r "$build/MusewheelerPlugin_artefacts/Release/VST3/Musewheeler.vst3" "$work/host/"
    local cases=(findsOnePluginNamedMusewheelerThatTakesMidi makesTwoInstancesThatTakeMidi
                 passesAudioThroughUntouchedWhileANoteArrives theNoteIsAControlOfOneStepPerNoteThatTheStateRestores
                 drawsAtEachGroupOfBarsWithItsWindowClosed namesItsProgramAfterTheAdvice
                 instancesEndedWhileTheyReadTheirSetsEndCleanly opensAndClosesTwoEditorsInBothOrders)
    local filter
    filter=$(printf 'Formats/PluginHostTest.%s/VST3:' "${cases[@]}")
    runTests "$build/tests/bin/PluginHost.exe" --gtest_filter="${filter%:}" \
        "$(winepath -w "$bundle/Contents/x86_64-win/Musewheeler.vst3")" "$(winepath -w "$work/host/lv2")" urn:none
}

version=$(sed -n 's/^project (Musewheeler VERSION \([^ ]*\).*/\1/p' "$sourceDir/CMakeLists.txt")

# The setup and the zip, each in a new Wine prefix: what a first install finds.
setupUnderWine() { bash "$sourceDir/tests/windows/installer-check.sh" "$build/Musewheeler-$version-setup.exe" "$version"; }
zipUnderWine()
{
    bash "$sourceDir/tests/windows/portable-check.sh" "$build/Musewheeler-$version-windows-portable.zip" "$version"
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
    local result=$?
    stopWine
    return "$result"
}

programUnderWine()
{
    bash "$sourceDir/tests/windows/program-under-wine.sh" "$artefacts/Musewheeler.exe" "$sourceDir" \
        "$WINEPREFIX" "$windowsDir/screenshots"
}

step "unit tests under Wine" unitTests
step "the plugin's unit tests under Wine" pluginUnitTests
step "musewheeler-sets under Wine" setsCommand
step "the VST3 in the toolkit's host under Wine" vst3InHost
step "the program under Wine" programUnderWine
step "the setup under Wine" setupUnderWine
step "the portable zip under Wine" zipUnderWine

if [ "${#failedSteps[@]}" -gt 0 ]; then
    echo "FAILED: ${failedSteps[*]}"
    exit 1
fi
echo "PASS: every Windows check"
