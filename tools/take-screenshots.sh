#!/bin/bash
# Takes the widget gallery's picture under a virtual X display.
# Usage: take-screenshots.sh WIDGET_GALLERY OUTPUT.png [DISPLAY]
set -euo pipefail

gallery="$1"
output="$2"
display="${3:-:71}"

mkdir -p "$(dirname "$output")"

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfbPid=$!
galleryPid=""

cleanUp()
{
    if [ -n "$galleryPid" ]; then kill "$galleryPid" 2>/dev/null || true; fi
    kill "$xvfbPid" 2>/dev/null || true
}
trap cleanUp EXIT

export DISPLAY="$display"

for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

# The pointer is parked away from the window, so that only the gallery's own simulated hover shows.
xdotool mousemove 1270 1010

# Without a window manager the toolkit reports missing window-manager atoms; they do not matter here.
"$gallery" >/dev/null 2>&1 &
galleryPid=$!

window=$(timeout 30 xdotool search --sync --name "Widget Gallery" | head -n 1)

# The gallery sets its hover and press states half a second after it shows.
sleep 2
import -window "$window" "$output"
echo "Wrote $output"
