#!/bin/bash
# The LV2 plugin in Debian's jalv, on a JACK server with the dummy driver (no sound card) and an Xvfb with a
# window manager (the embedded editor needs one): the editor shows the card, stays still on its own, and a
# MIDI note-on from jack_midiseq draws a new advice.
# Usage: jalv-smoke.sh LV2_BUNDLE PLUGIN_URI SOURCE_DIR [SCREENSHOT]
set -uo pipefail

bundle=$(realpath "$1")
uri="$2"
sourceDir="$3"
screenshot="${4:-}"

source "$sourceDir/tests/e2e/lib/display.sh"

work=$(mktemp -d /tmp/musewheeler-jalv.XXXXXX)
jackPid=""
jalvPid=""
sequencerPid=""

cleanUp()
{
    local pid
    for pid in $sequencerPid $jalvPid $jackPid; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    stopDisplay
    rm -rf "$work"
}
trap cleanUp EXIT

fail()
{
    echo "FAIL: $*" >&2
    [ -f "$work/jalv.log" ] && sed 's/^/jalv: /' "$work/jalv.log" >&2
    exit 1
}

check()
{
    echo "ok ($SECONDS s): $*"
}

# The number of pixels of the image in that exact colour.
countPixels()
{
    convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:round(mean*w*h)]' info:
}

# The number of pixels that differ between two images of the same size.
differingPixels()
{
    compare -metric AE "$1" "$2" /dev/null 2>&1
}

# The card painted: the set name in yellow, and the same picture twice in a row (kept as before.png).
cardShown()
{
    import -window "$window" "$work/now.png" 2>/dev/null || return 1
    if [ -f "$work/before.png" ] && [ "$(differingPixels "$work/before.png" "$work/now.png")" = 0 ] \
        && [ "$(countPixels "$work/now.png" '#FFFF00')" -gt 50 ]; then
        return 0
    fi
    mv "$work/now.png" "$work/before.png"
    return 1
}

# The card as before.png.
cardStill()
{
    import -window "$window" "$work/still.png" 2>/dev/null && [ "$(differingPixels "$work/before.png" "$work/still.png")" = 0 ]
}

# More than 1000 pixels of the card differ from before.png (the number in changed).
cardChanged()
{
    import -window "$window" "$work/after.png" 2>/dev/null || return 1
    changed=$(differingPixels "$work/before.png" "$work/after.png")
    [ "$changed" -gt 1000 ]
}

# A copy of the bundle, where the instance keeps its settings file, and an empty user folder: the plugin
# then reads the sets shipped in the bundle.
mkdir -p "$work/lv2" "$work/home"
cp -r "$bundle" "$work/lv2/"
export LV2_PATH="$work/lv2" MUSEWHEELER_HOME="$work/home"

# A JACK server of the script's own, under a name no other run uses.
export JACK_DEFAULT_SERVER="musewheeler-jalv-$$"
jackd -r -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
jackPid=$!
for _ in $(seq 50); do
    jack_lsp >/dev/null 2>&1 && break
    sleep 0.2
done
jack_lsp >/dev/null 2>&1 || fail "the JACK server did not start: $(cat "$work/jackd.log")"
check "a JACK server with the dummy driver"

startDisplay

jalv.gtk3 "$uri" >"$work/jalv.log" 2>&1 &
jalvPid=$!
window=$(timeout 30 xdotool search --sync --name '^Musewheeler$' | head -n 1)
[ -n "$window" ] || fail "jalv shows no Musewheeler window"

for _ in $(seq 50); do
    jack_lsp | grep -qx 'Musewheeler:in' && break
    sleep 0.2
done
jack_lsp | grep -qx 'Musewheeler:in' || fail "the plugin has no MIDI input port in JACK"
check "jalv runs the plugin with its editor, window $window"

# The first paint of the embedded editor follows the window by a moment.
waitUntil 100 cardShown || true
[ -f "$work/before.png" ] || fail "no screenshot of the window"
[ -n "$screenshot" ] && cp "$work/before.png" "$screenshot"

# Resizable as it is, the editor opens at the card's own size when the state keeps none: a window of exactly
# 500 x 350 among those jalv embeds it in.
xwininfo -tree -id "$window" | grep -Eq ' 500x350\+' \
    || fail "no window of 500 x 350 in jalv's: $(xwininfo -tree -id "$window" | grep -Eo '[0-9]+x[0-9]+\+' | tr '\n' ' ')"
check "the editor is 500 x 350"

setNamePixels=$(countPixels "$work/before.png" '#FFFF00')
[ "$setNamePixels" -gt 50 ] || fail "the editor shows no set name in yellow ($setNamePixels pixels)"
check "the card shows a set name ($setNamePixels yellow pixels)"

# Watched for a second, as long as the check ever looked.
end=$((${EPOCHREALTIME//[!0-9]/} + 1000000))
while [ "${EPOCHREALTIME//[!0-9]/}" -lt "$end" ]; do
    cardStill || fail "the editor changed with no note played"
    sleep 0.1
done
check "without a note the card stays as it is"

# One note-on every second; the editor looks at the notes received a few times a second.
jack_midiseq notes 48000 0 60 2400 >"$work/midiseq.log" 2>&1 &
sequencerPid=$!
for _ in $(seq 50); do
    jack_lsp | grep -qx 'notes:out' && break
    sleep 0.2
done
jack_connect notes:out Musewheeler:in || fail "the note sequencer could not be connected to the plugin"
# The set's colour fades in over three seconds after the new advice's text: the notes stop once the card
# has changed that much, or after ten seconds of notes.
changed=0
waitUntil 100 cardChanged || true
jack_disconnect notes:out Musewheeler:in
[ "$changed" -gt 1000 ] || fail "no new advice after note-ons ($changed pixels changed)"
check "note-ons drew a new advice ($changed pixels changed)"

echo "The LV2 plugin runs in jalv"
