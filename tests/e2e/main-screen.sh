#!/bin/bash
# The main screen as a user meets it: first start, a draw with its colour fade, the favourite star, the
# copy entry of the menu, F1, closing through the window manager, the next start and the advice timer.
# Usage: main-screen.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
# MUSEWHEELER_E2E_DISPLAY puts the virtual display elsewhere, for machines where :82 is taken.
display="${MUSEWHEELER_E2E_DISPLAY:-:82}"

work=$(mktemp -d /tmp/musewheeler-e2e.XXXXXX)
# A folder name holding what /bin/sh would act on: the help page's address must still run nothing.
app="$work/it's \"odd\" \$HOME \`touch CANARY\` \$(touch CANARY) app"
stubs="$work/stubs"
xvfbPid=""
openboxPid=""
programPid=""

cleanUp()
{
    if [ -n "$programPid" ]; then kill "$programPid" 2>/dev/null || true; fi
    if [ -n "$openboxPid" ]; then kill "$openboxPid" 2>/dev/null || true; fi
    if [ -n "$xvfbPid" ]; then kill "$xvfbPid" 2>/dev/null || true; fi
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
    echo "ok: $*"
}

#-------------------------------------------------------------------------------------------------------
mkdir -p "$app/data" "$stubs"
cp "$program" "$app/Musewheeler"
cp -r "$sourceDir/help" "$app/help"

# One advice per set and one colour per set, so that the frame colour tells which advice is shown.
writeSet()
{
    printf 'MusewheelerV1 - Set file\n\nName=%s;\nDescription=;\nAuthor=%s author;\nLanguage=1;\nColour=%s;\n\nItem=%s;\nFavorite=false;\nTags=1,;\n\n' \
        "$2" "$2" "$3" "$4" > "$app/data/$1"
}
writeSet a-red.mwh "Red set" "200,30,30" "Red advice: play the melody backwards."
writeSet b-green.mwh "Green set" "30,160,60" "Green advice: write with three notes only."
writeSet c-blue.mwh "Blue set" "30,60,200" "Blue advice: change the key for the bridge."

declare -A adviceOfColour=(
    [C81E1E]="Red advice: play the melody backwards."
    [1EA03C]="Green advice: write with three notes only."
    [1E3CC8]="Blue advice: change the key for the bridge."
)
declare -A fileOfColour=([C81E1E]=a-red.mwh [1EA03C]=b-green.mwh [1E3CC8]=c-blue.mwh)
declare -A indexOfColour=([C81E1E]=0 [1EA03C]=1 [1E3CC8]=2)

# The browser: a stub xdg-open that records the address it is given.
cat > "$stubs/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >> "$work/launched.txt"
EOF
chmod +x "$stubs/xdg-open"

#-------------------------------------------------------------------------------------------------------
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfbPid=$!
export DISPLAY="$display"

for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start on $display"

openbox --sm-disable >/dev/null 2>&1 &
openboxPid=$!
sleep 0.5

window=""

startProgram()
{
    (cd "$work" && PATH="$stubs:$PATH" exec "$app/Musewheeler") >>"$work/program.log" 2>&1 &
    programPid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Musewheeler$' | head -n 1)
    [ -n "$window" ] || fail "no window appeared"
    # The window manager maps and focuses the window; the first paint follows.
    sleep 1.5
}

stopProgram()
{
    wmctrl -i -c "$window"

    for _ in $(seq 100); do
        kill -0 "$programPid" 2>/dev/null || break
        sleep 0.1
    done

    if kill -0 "$programPid" 2>/dev/null; then fail "the program did not end after its window was closed"; fi

    wait "$programPid" || true
    programPid=""
}

frameColour()
{
    import -window "$window" "$work/shot.png"
    convert "$work/shot.png" -format '%[hex:p{80,145}]' info: | cut -c1-6
}

# Positions inside the window, from the layout of the main screen.
clickAt()
{
    xdotool mousemove --window "$window" "$1" "$2" click 1
    xdotool mousemove --window "$window" 250 20
}
newAdviceX=460
favoriteX=408
menuX=40
buttonsY=321

copyCurrentAdvice()
{
    printf '' | xclip -selection clipboard
    clickAt "$menuX" "$buttonsY"
    sleep 0.7
    # Options, Timer, Sets edition, To get more sets..., Help, Copy the current advice.
    xdotool key --window "$window" Down Down Down Down Down Down Return
    sleep 0.5
    xclip -o -selection clipboard 2>/dev/null || true
}

configText()
{
    iconv -f UTF-16 -t UTF-8 "$app/Musewheeler.ini" | tr -d '\r'
}

#-------------------------------------------------------------------------------------------------------
# First start.
startProgram

geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "500x350" ] || fail "window is $geometry, not 500x350"
[ "$(xdotool getwindowname "$window")" = "Musewheeler" ] || fail "title is $(xdotool getwindowname "$window")"
allowed=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -q "_NET_WM_ACTION_CLOSE" <<<"$allowed" || fail "the window manager offers no close: $allowed"
! grep -qE "_NET_WM_ACTION_(RESIZE|MAXIMIZE)" <<<"$allowed" || fail "the window can be resized: $allowed"
wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
sleep 0.5
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "500x350" ] || fail "the window was maximised to $geometry"
check "the window is 500 x 350, fixed, titled Musewheeler"

{
    printf '\xff\xfe'
    printf 'Musewheeler V1 - Init Data File\r\nLanguage=1;\r\nLanguageSet=-1;\r\nSets=;\r\nTags=-1;\r\nLastItem=-1;\r\nLookForFavorites=false;\r\nTimer=0;\r\n' \
        | iconv -f UTF-8 -t UTF-16LE
} > "$work/expected.ini"
cmp "$work/expected.ini" "$app/Musewheeler.ini" || fail "the first start did not write the default configuration"
check "the first start wrote the default configuration byte for byte"

before=$(frameColour)
[ -n "${adviceOfColour[$before]+set}" ] || fail "the frame has no set colour: $before"

clickAt "$newAdviceX" "$buttonsY"
sleep 0.8
[ "$(frameColour)" = "$before" ] || fail "the frame changed colour at once"
sleep 2.7
after=$(frameColour)
[ -n "${adviceOfColour[$after]+set}" ] || fail "after the fade the frame has no set colour: $after"
[ "$after" != "$before" ] || fail "the new advice kept the colour $before"
check "a click on + drew another advice and the frame took its colour after the fade"

copied=$(copyCurrentAdvice)
[ "$copied" = "${adviceOfColour[$after]}" ] || fail "the clipboard holds '$copied'"
check "Copy the current advice put the shown advice on the clipboard"

setFile="$app/data/${fileOfColour[$after]}"
clickAt "$favoriteX" "$buttonsY"
sleep 0.5
iconv -f UTF-16 -t UTF-8 "$setFile" | tr -d '\r' | grep -qx "Favorite=true;" \
    || fail "the star did not mark the advice in ${fileOfColour[$after]}"
check "the star rewrote the set file with the mark"

rm -f "$work/launched.txt"
xdotool key --window "$window" F1
sleep 1
[ -f "$work/launched.txt" ] || fail "F1 handed nothing to the browser"
address=$(head -n 1 "$work/launched.txt")
case "$address" in
    *'"'* | *'`'* | *'$'*) fail "the address holds shell characters: $address" ;;
esac
[ "${address:0:7}" = "file://" ] || fail "not a file address: $address"
encoded="${address:7}"
decoded=$(printf '%b' "${encoded//%/\\x}")
[ "$decoded" = "$app/help/index.html" ] || fail "F1 opened $decoded"
[ ! -e "$work/CANARY" ] && [ ! -e "$app/CANARY" ] || fail "the folder name ran a command"
check "F1 handed the help page's address to the browser, and nothing ran"

stopProgram
grep -qx "LastItem=${indexOfColour[$after]};" <<<"$(configText)" || fail "LastItem is not the shown advice: $(configText)"
check "closing the window wrote the shown advice as LastItem"

#-------------------------------------------------------------------------------------------------------
# Next start, with the advice timer configured at 5 seconds.
configText | sed 's/^Timer=.*/Timer=5;/' | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE > "$work/timer.ini"
{ printf '\xff\xfe'; cat "$work/timer.ini"; } > "$app/Musewheeler.ini"

startProgram
[ "$(frameColour)" = "$after" ] || fail "the next start shows another set's colour: $(frameColour)"
copied=$(copyCurrentAdvice)
[ "$copied" = "${adviceOfColour[$after]}" ] || fail "the next start shows '$copied'"
check "the next start showed the same advice"

# The timer's draw may fall on the shown advice once; within two ticks it cannot twice.
changed=""
for _ in $(seq 34); do
    sleep 0.5
    colour=$(frameColour)
    if [ "$colour" != "$after" ]; then
        # The fade has begun; its last step follows within a second.
        sleep 1.5
        changed=$(frameColour)
        break
    fi
done
[ -n "$changed" ] || fail "the advice timer drew nothing in 17 seconds"
[ -n "${adviceOfColour[$changed]+set}" ] || fail "after the timer's draw the frame is $changed"
check "the configured timer drew a new advice by itself"

stopProgram
grep -qx "Timer=5;" <<<"$(configText)" || fail "the timer period was not kept"
check "the timer period was kept at the end"

echo "PASS"
