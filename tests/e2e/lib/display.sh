# A virtual X display of a script's own, shared by the end-to-end scripts, the screenshots, the valgrind
# run and the start-up measurement. Source it, then:
#   startDisplay [bare]  Xvfb on the first free display of displayNumbers (51 to 54 unless set), with a
#                        window manager unless "bare" is given; the array xvfbOptions adds arguments to
#                        Xvfb. Exports DISPLAY, sets display, xvfbPid and openboxPid; ends the script if no
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
    # the next display is tried. The answer must come from this script's own server.
    for number in ${displayNumbers:-51 52 53 54}; do
        [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ] || continue

        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp ${xvfbOptions[@]+"${xvfbOptions[@]}"} >/dev/null 2>&1 &
        xvfbPid=$!

        for _ in $(seq 100); do
            kill -0 "$xvfbPid" 2>/dev/null || break
            DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && break
            sleep 0.1
        done

        if kill -0 "$xvfbPid" 2>/dev/null && DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
            display=":$number"
            break
        fi

        kill "$xvfbPid" 2>/dev/null && wait "$xvfbPid" 2>/dev/null || true
        xvfbPid=""
    done

    if [ -z "$display" ]; then
        echo "FAIL: no display among ${displayNumbers:-51 52 53 54} could be started" >&2
        exit 1
    fi

    export DISPLAY="$display"

    if [ "${1:-}" != bare ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        openboxPid=$!
        sleep 0.5
    fi
}

stopDisplay()
{
    if [ -n "$openboxPid" ]; then kill "$openboxPid" 2>/dev/null || true; fi
    openboxPid=""
    # The next script may take the same display: it must find this server gone, not about to go.
    if [ -n "$xvfbPid" ]; then kill "$xvfbPid" 2>/dev/null && wait "$xvfbPid" 2>/dev/null || true; fi
    xvfbPid=""
}
