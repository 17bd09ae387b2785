#!/bin/bash
# Takes the main screen's pictures for the README, in English and in French, with the shipped sets, under
# a virtual X display.
# Usage: take-main-screenshots.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR OUTPUT_FOLDER [DISPLAY]
set -euo pipefail

program="$1"
sourceDir="$2"
output="$3"
display="${4:-:72}"

work=$(mktemp -d /tmp/musewheeler-shots.XXXXXX)
xvfbPid=""
programPid=""

cleanUp()
{
    if [ -n "$programPid" ]; then kill "$programPid" 2>/dev/null || true; fi
    if [ -n "$xvfbPid" ]; then kill "$xvfbPid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanUp EXIT

mkdir -p "$output" "$work/app"
cp "$program" "$work/app/Musewheeler"
cp -r "$sourceDir/data" "$work/app/data"

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfbPid=$!
export DISPLAY="$display"

for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

xdotool mousemove 1020 760

# shot LANGUAGE LANGUAGE_SET LAST_ITEM FILE: the advice at LAST_ITEM of that language's sets, no timer.
shot()
{
    {
        printf '\xff\xfe'
        printf 'Musewheeler V1 - Init Data File\r\nLanguage=%s;\r\nLanguageSet=%s;\r\nSets=;\r\nTags=-1;\r\nLastItem=%s;\r\nLookForFavorites=false;\r\nTimer=0;\r\n' \
            "$1" "$2" "$3" | iconv -f UTF-8 -t UTF-16LE
    } > "$work/app/Musewheeler.ini"

    "$work/app/Musewheeler" >/dev/null 2>&1 &
    programPid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Musewheeler$' | head -n 1)
    sleep 1.5
    import -window "$window" "$output/$4"
    kill "$programPid"
    wait "$programPid" 2>/dev/null || true
    programPid=""
    echo "Wrote $output/$4"
}

shot 1 1 "${ENGLISH_ITEM:-12}" main-screen-en.png
shot 0 0 "${FRENCH_ITEM:-40}" main-screen-fr.png
