# Shared by the checks of the setup and the portable zip: a Wine prefix of the script's own (the one given,
# else a temporary one; never ~/.wine; made by wine.sh) on an X display of its own with a window manager
# (tests/e2e/lib/display.sh). Source it after setting sourceDir and, to keep the prefix, prefix; then call
# startWine. It sets work, a temporary folder removed at the end with everything started here.
#   runWine ARGS...        runs a Windows program and waits for it, within a bound
#   settle                 waits for every process of the prefix to end (an uninstaller runs from a copy)
#   windowsFolder NAME     the Unix path of the folder %NAME% names, for the prefix's user
#   startProgram EXE       starts EXE from its folder and waits for its window
#   closeProgram           closes that window as a user would and waits for the program to end
#   startAndClose EXE      both

source "$sourceDir/tests/e2e/lib/display.sh"
source "$sourceDir/tests/windows/lib/wine.sh"

work=$(mktemp -d /tmp/musewheeler-package.XXXXXX)
wantedPrefix=${prefix:-$work/prefix}
programPid=""

cleanUp()
{
    [ "$BASHPID" = "$$" ] || return 0
    if [ -n "$programPid" ]; then kill "$programPid" 2>/dev/null || true; fi
    # Every process of this prefix, and only of it, ends with its server.
    if [ -n "${WINEPREFIX:-}" ]; then stopWine; fi
    stopDisplay
    rm -rf "$work"
}
trap cleanUp EXIT

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

check()
{
    echo "ok ($SECONDS s): $*"
}

startWine()
{
    [ "$(realpath -m "$wantedPrefix")" != "$(realpath -m "$HOME/.wine")" ] || fail "the checks never work in ~/.wine"
    prepareWinePrefix "$wantedPrefix" || fail "no Wine prefix could be made in $wantedPrefix"
    startDisplay
    check "a Wine prefix in $WINEPREFIX"
}

runWine()
{
    timeout 300 wine "$@"
}

settle()
{
    timeout 120 wineserver -w
}

windowsFolder()
{
    local value
    value=$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')
    winepath -u "$value" 2>/dev/null
}

startProgram()
{
    local window
    (cd "$(dirname "$1")" && exec wine "$1") >"$work/program.log" 2>&1 &
    programPid=$!
    # A window that goes while xdotool looks through the tree (Wine makes and drops windows of its own as a
    # program starts) ends that look with an X error: the look is made again, within 120 s in all.
    local deadline=$((SECONDS + 120))
    window=""
    while [ -z "$window" ] && [ "$SECONDS" -le "$deadline" ]; do
        window=$(timeout $((deadline - SECONDS + 1)) xdotool search --sync --onlyvisible --name '^Musewheeler$' \
                     2>/dev/null | head -n 1) || true
        [ -n "$window" ] || sleep 0.1
    done
    [ -n "$window" ] || fail "the window of $1 did not show ($(cat "$work/program.log"))"
}

closeProgram()
{
    wmctrl -c Musewheeler || fail "the window could not be closed"
    timeout 60 tail --pid="$programPid" -f /dev/null || fail "the program did not end once its window was closed"
    wait "$programPid" 2>/dev/null || true
    programPid=""
}

startAndClose()
{
    startProgram "$1"
    closeProgram
}
