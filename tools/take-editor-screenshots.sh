#!/bin/bash
# Takes the pictures of the set editor's four pages from the editor harness under a virtual X display,
# and checks on the way that the editor's title reaches the window.
# Usage: take-editor-screenshots.sh EDITOR_HARNESS OUTPUT_FOLDER [DISPLAY]
set -euo pipefail

harness="$1"
output="$2"
display="${3:-:71}"

mkdir -p "$output"

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfbPid=$!
harnessPid=""

stopHarness()
{
    if [ -n "$harnessPid" ]; then
        kill "$harnessPid" 2>/dev/null || true
        wait "$harnessPid" 2>/dev/null || true
        harnessPid=""

        # The server drops the window a moment after the program ends; the next search must not find it.
        for _ in $(seq 50); do
            xdotool search --name "^Musewheeler" >/dev/null 2>&1 || break
            sleep 0.1
        done
    fi
}

cleanUp()
{
    stopHarness
    kill "$xvfbPid" 2>/dev/null || true
    wait "$xvfbPid" 2>/dev/null || true
}
trap cleanUp EXIT

export DISPLAY="$display"

for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

if ! kill -0 "$xvfbPid" 2>/dev/null; then
    echo "Xvfb could not start on $display" >&2
    exit 1
fi

# shot NAME EXPECTED_TITLE [HOVER_X HOVER_Y] -- HARNESS_ARGUMENTS...
shot()
{
    local name="$1" expectedTitle="$2"
    shift 2
    local hoverX="" hoverY=""

    if [ "$1" != "--" ]; then
        hoverX="$1" hoverY="$2"
        shift 2
    fi

    shift

    # The pointer is parked away from the window unless a hover is asked for.
    xdotool mousemove 1000 740

    # Without a window manager the toolkit reports missing window-manager atoms; they do not matter here.
    "$harness" "$@" >/dev/null 2>&1 &
    harnessPid=$!

    local window=""
    timeout 30 xdotool search --sync --onlyvisible --name "^Musewheeler" >/dev/null

    # Searched again while waiting: a window can be rebuilt under a new id as the program starts.
    local title=""
    for _ in $(seq 50); do
        window=$(xdotool search --onlyvisible --name "^Musewheeler" | head -n 1)
        title=$(xdotool getwindowname "$window" 2>/dev/null || true)
        [ "$title" = "$expectedTitle" ] && break
        sleep 0.1
    done

    if [ "$title" != "$expectedTitle" ]; then
        echo "Window title is \"$title\", expected \"$expectedTitle\"" >&2
        exit 1
    fi

    if [ -n "$hoverX" ]; then
        xdotool mousemove --window "$window" "$hoverX" "$hoverY"
        sleep 0.3
        xdotool mousemove --window "$window" "$((hoverX + 1))" "$hoverY"
    fi

    sleep 1
    import -window "$window" "$output/$name.png"
    echo "Wrote $output/$name.png (title \"$title\")"
    stopHarness
}

set=harness-sampler.mwh
title="Musewheeler - $set"

# Over the circle of "New set", so that its label shows.
shot editor-empty "Musewheeler" 170 15 --
# Over the circle of "Add a new advice".
shot editor-advice "$title" 194 321 -- --open "$set"
shot editor-description "$title" -- --open "$set" --page description
shot editor-colour "$title" -- --open "$set" --page colour
# Over the strip cell of the tag "Creativity", so that its name and description show.
shot editor-tags "$title" 317 160 -- --open "$set" --page tags
# Over the circle of "Enregistrer".
shot editor-french "Musewheeler - petit-jeu.mwh" 250 15 -- --french --open petit-jeu.mwh
