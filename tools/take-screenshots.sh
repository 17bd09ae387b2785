#!/bin/bash
# Takes every picture of the README under one virtual X display without a window manager: the tour, from
# the program itself with the shipped sets, in English and in French (the main screen, its menu, the About
# panel, the options panel, the set editor empty and on its four pages with a shipped set open, and the
# editor's question about unsaved changes); the tag picker on each tab, drawn by the options gallery; and
# the widget gallery's window.
# Usage: take-screenshots.sh MUSEWHEELER_EXECUTABLE WIDGET_GALLERY OPTIONS_GALLERY SOURCE_DIR OUTPUT_FOLDER
#        [DISPLAY]
set -euo pipefail

program="$1"
widgetGallery="$2"
optionsGallery="$3"
sourceDir="$4"
mkdir -p "$5"
output="$(cd "$5" && pwd)"
# The display given, rather than the test scripts' range.
displayNumbers="${6:-:71}"
displayNumbers="${displayNumbers#:}"

# The About panel shows the help page's address, so the program lies in a folder of a plain name.
appFolder=/tmp/musewheeler
rm -rf "$appFolder"
source "$sourceDir/tests/e2e/lib/session.sh"
cp "$sourceDir"/data/*.mwh "$app/data/"

startDisplay bare

"$optionsGallery" "$output"

save()
{
    # The pointer is parked where it lights nothing up.
    xdotool mousemove --window "$window" 250 5
    sleep 0.8
    shot "$output/$1"
    echo "Wrote $output/$1"
}

# saveWithPopUp NAME POPUP_NAME: the window and the pop-up window over or beside it, as one picture.
saveWithPopUp()
{
    local name="$1" popUp
    popUp=$(xdotool search --onlyvisible --name "$2" | grep -vx "$window" | head -n 1)
    [ -n "$popUp" ] || fail "no pop-up window for $name"
    sleep 0.8
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local left=$X top=$Y right=$((X + WIDTH)) bottom=$((Y + HEIGHT))
    eval "$(xdotool getwindowgeometry --shell "$popUp")"
    left=$((X < left ? X : left))
    top=$((Y < top ? Y : top))
    right=$((X + WIDTH > right ? X + WIDTH : right))
    bottom=$((Y + HEIGHT > bottom ? Y + HEIGHT : bottom))
    import -window root "$work/root.png"
    convert "$work/root.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$output/$name"
    echo "Wrote $output/$name"
}

# tour SUFFIX LANGUAGE LAST_ITEM SET_FILE: every screen in one interface language.
tour()
{
    local suffix="$1" language="$2" item="$3" setFile="$4"

    writeConfig "Language=$language" "LanguageSet=$language" "LastItem=$item"
    xdotool mousemove 1020 760
    startProgram
    save "main-screen-$suffix.png"

    clickAt "$menuX" "$buttonsY"
    for _ in $(seq 50); do popupShown && break; sleep 0.1; done
    xdotool mousemove --window "$window" 40 60
    saveWithPopUp "menu-$suffix.png" '^menu$'
    xdotool key Escape
    sleep 0.5

    openFromMenu 7
    save "about-$suffix.png"
    clickAt 250 100

    # The options with one set chosen, so that its description shows.
    openFromMenu 1
    chooseInCombo 320 152 Down Down
    save "options-$suffix.png"
    clickAt 350 295

    # Over the circle of "New set", so that its name shows.
    openFromMenu 3
    xdotool mousemove --window "$window" 170 15
    sleep 0.3
    xdotool mousemove --window "$window" 171 15
    sleep 0.8
    shot "$output/editor-empty-$suffix.png"
    echo "Wrote $output/editor-empty-$suffix.png"

    xdotool key ctrl+o
    local chooser
    chooser=$(timeout 10 xdotool search --sync --onlyvisible --name "$5" | head -n 1)
    # Whichever chooser comes up (zenity, or the toolkit's), its name field has the keyboard.
    waitUntil 50 hasFocus "$chooser" || true
    sleep 0.3
    xdotool type --delay 10 "$setFile"
    xdotool key Return
    sleep 0.7
    save "editor-advice-$suffix.png"

    for page in description:20:157 colour:20:188 tags:60:284; do
        IFS=: read -r name x y <<<"$page"
        clickAt "$x" "$y"
        save "editor-$name-$suffix.png"
        clickAt "$x" "$y"
    done

    # A new advice, then Back: the editor asks before it leaves the set unsaved.
    clickAt 195 322
    clickAt 465 321
    saveWithPopUp "editor-question-$suffix.png" '^Musewheeler$'
    xdotool key Escape
    sleep 0.5

    killProgram
}

tour en 1 "${ENGLISH_ITEM:-12}" en-blank-page-breakers.mwh '^Choose the set to open$'
tour fr 0 "${FRENCH_ITEM:-40}" fr-jouer-et-improviser.mwh '^Choisissez un set'

# The gallery sets its hover and press states half a second after it shows; the pointer is parked away
# from the window, so that only the gallery's own simulated hover shows.
xdotool mousemove 1020 760
"$widgetGallery" >"$work/gallery.log" 2>&1 &
programPid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "Widget Gallery" | head -n 1)
[ -n "$window" ] || fail "no widget gallery window appeared"
sleep 2
shot "$output/widgets.png"
echo "Wrote $output/widgets.png"
killProgram
