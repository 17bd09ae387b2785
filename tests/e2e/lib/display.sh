# A virtual X display of a script's own, shared by the end-to-end scripts, the screenshots, the valgrind
# run and the start-up measurement. Source it, then:
#   startDisplay [bare]  Xvfb on the first free display of displayNumbers (100 to 163 unless set: the
#                        end-to-end scripts run in parallel, each on a display of its own), with a window
#                        manager unless "bare" is given; the array xvfbOptions adds arguments to Xvfb.
#                        Exports DISPLAY, sets display, xvfbPid and openboxPid; ends the script if no
#                        display could be started.
#   stopDisplay          ends the window manager and the server, and waits for the server to be gone.

xvfbPid=""
openboxPid=""
display=""

# The window manager matters for the window itself (its title, its close button); without one, the
# toolkit's pop-up lists open at once, where a window manager's focus handling may close them again as they
# open.
startDisplay()
{
    local number
    display=""

    # Another run may take a display between the look and the start: the server then ends at once, and
    # the next display is tried. The answer must come from this script's own server: the X server writes
    # its process id into the display's lock file, which only one server can hold.
    for number in ${displayNumbers:-$(seq 100 163)}; do
        [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ] || continue

        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp ${xvfbOptions[@]+"${xvfbOptions[@]}"} >/dev/null 2>&1 &
        xvfbPid=$!

        for _ in $(seq 100); do
            kill -0 "$xvfbPid" 2>/dev/null || break
            ownDisplayAnswers "$number" && break
            sleep 0.1
        done

        if kill -0 "$xvfbPid" 2>/dev/null && ownDisplayAnswers "$number"; then
            display=":$number"
            break
        fi

        kill "$xvfbPid" 2>/dev/null && wait "$xvfbPid" 2>/dev/null || true
        xvfbPid=""
    done

    if [ -z "$display" ]; then
        echo "FAIL: no display among ${displayNumbers:-100 to 163} could be started" >&2
        exit 1
    fi

    export DISPLAY="$display"

    if [ "${1:-}" != bare ]; then
        # The window manager is there once it has named itself on the root window; a window mapped before
        # would not be framed or focused. On a busy machine its first connection to the server may be
        # refused (the server's queue of new connections full): it is started again.
        local try
        for try in 1 2 3; do
            openbox --sm-disable >/dev/null 2>&1 &
            openboxPid=$!
            for _ in $(seq 100); do
                windowManagerRuns && break
                kill -0 "$openboxPid" 2>/dev/null || break
                sleep 0.1
            done
            windowManagerRuns && break
            kill "$openboxPid" 2>/dev/null && wait "$openboxPid" 2>/dev/null || true
            openboxPid=""
        done
        if [ -z "$openboxPid" ]; then
            echo "FAIL: the window manager did not start on $display" >&2
            exit 1
        fi
    fi
}

# ownDisplayAnswers NUMBER: display NUMBER is this script's Xvfb (its lock file names it) and answers.
ownDisplayAnswers()
{
    [ "$(tr -d ' \n' 2>/dev/null < "/tmp/.X$1-lock")" = "$xvfbPid" ] && DISPLAY=":$1" xdpyinfo >/dev/null 2>&1
}

# The running window manager names its check window on the root window, and names itself on that window.
windowManagerRuns()
{
    local check
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
    [ -n "$check" ] && xprop -id "$check" _NET_WM_NAME 2>/dev/null | grep '"Openbox"' >/dev/null
}

stopDisplay()
{
    if [ -n "$openboxPid" ]; then kill "$openboxPid" 2>/dev/null || true; fi
    openboxPid=""
    # The next script may take the same display: it must find this server gone, not about to go.
    if [ -n "$xvfbPid" ]; then kill "$xvfbPid" 2>/dev/null && wait "$xvfbPid" 2>/dev/null || true; fi
    xvfbPid=""
}

# waitUntil TENTHS COMMAND...: runs COMMAND until it succeeds, every tenth of a second during TENTHS tenths
# of a second at most; fails if it never did.
waitUntil()
{
    local deadline=$((${EPOCHREALTIME//[!0-9]/} + $1 * 100000))
    shift
    until "$@"; do
        [ "${EPOCHREALTIME//[!0-9]/}" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
