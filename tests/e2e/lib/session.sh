# Shared by the end-to-end scripts that drive the program's panels: a virtual display with a window
# manager (display.sh), the program in a folder of its own, the positions inside its window (layout.sh), and
# the user's gestures on its window. Nothing here waits a fixed time: each step waits, within a bound, for
# what a user would wait for (the window shown and still, a pop-up open or gone, the keyboard back, a file
# or an address written).
# Source it after setting: program, sourceDir, and appFolder for a program folder of a fixed name or appName
# for the name of the program's folder inside the temporary one. It sets work, app, stubs, window and the
# PIDs it starts. A slow run (under valgrind) may set, before startProgram: programWrapper, an array of the
# command and arguments the program is started under; windowTimeout and endTimeout, how many seconds
# startProgram waits for the window (30) and waitForEnd for the end (10). A Windows build run under Wine sets
# programFile (the program's file name in its folder, Musewheeler by default) and programWrapper=(wine).

source "$(dirname "${BASH_SOURCE[0]}")/display.sh"
source "$(dirname "${BASH_SOURCE[0]}")/layout.sh"

work=$(mktemp -d /tmp/musewheeler-e2e.XXXXXX)
app="${appFolder:-$work/${appName:-app}}"
stubs="$work/stubs"
programPid=""
window=""

cleanUp()
{
    # Command substitutions inherit the trap; only the script itself tears down.
    [ "$BASHPID" = "$$" ] || return 0

    if [ -n "$programPid" ]; then kill "$programPid" 2>/dev/null || true; fi
    stopDisplay
    rm -rf "$work"
    if [ -n "${appFolder:-}" ]; then rm -rf "$appFolder"; fi
}
trap cleanUp EXIT

fail()
{
    echo "FAIL: $*" >&2
    if [ -n "$window" ] && [ -n "$programPid" ]; then
        timeout 10 import -window root "$work/failure.png" 2>/dev/null && cp "$work/failure.png" "/tmp/$(basename "$0" .sh)-failure.png" || true
    fi
    exit 1
}

check()
{
    echo "ok ($SECONDS s): $*"
}

mkdir -p "$app/data" "$stubs"
cp "$program" "$app/${programFile:-Musewheeler}"
cp -r "$sourceDir/help" "$app/help"

# The browser: a stub xdg-open that records the address it is given.
cat > "$stubs/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$1" >> "$work/launched.txt"
STUB
chmod +x "$stubs/xdg-open"

# writeSet FILE NAME LANGUAGE "R,G,B" TAGS ADVICE...: a set in the current format.
writeSet()
{
    local file="$1" name="$2" language="$3" colour="$4" tags="$5"
    shift 5
    {
        printf 'MusewheelerV1 - Set file\n\nName=%s;\nDescription=About %s;\nAuthor=%s author;\nLanguage=%s;\nColour=%s;\n\n' \
            "$name" "$name" "$name" "$language" "$colour"
        for advice in "$@"; do
            printf 'Item=%s;\nFavorite=false;\nTags=%s;\n\n' "$advice" "$tags"
        done
    } > "$app/data/$file"
}

# writeConfig KEY=VALUE...: the configuration file with these settings, the others at their defaults.
writeConfig()
{
    declare -A settings=([Language]=1 [LanguageSet]=-1 [Sets]="" [Tags]=-1 [LastItem]=-1 [LookForFavorites]=false [Timer]=0)
    for pair in "$@"; do settings[${pair%%=*}]="${pair#*=}"; done
    {
        printf '\xff\xfe'
        {
            printf 'Musewheeler V1 - Init Data File\r\n'
            for key in Language LanguageSet Sets Tags LastItem LookForFavorites Timer; do
                printf '%s=%s;\r\n' "$key" "${settings[$key]}"
            done
        } | iconv -f UTF-8 -t UTF-16LE
    } > "$app/Musewheeler.ini"
}

configText()
{
    iconv -f UTF-16 -t UTF-8 "$app/Musewheeler.ini" | tr -d '\r'
}

# pictureStill WINDOW: one more picture of the window; succeeds when it shows more than one colour (an
# unpainted window is one colour) and neither it nor the window's place changed since the last one.
pictureStill()
{
    local place
    place=$(xdotool getwindowgeometry "$1" 2>/dev/null) || return 1
    timeout 10 import -window "$1" "$work/still-new.png" 2>/dev/null || return 1
    if [ "$place" = "${lastPlace:-}" ] && [ -f "$work/still-last.png" ] \
        && [ "$(compare -metric AE "$work/still-last.png" "$work/still-new.png" /dev/null 2>&1)" = 0 ] \
        && [ "$(convert "$work/still-new.png" -format %k info:)" -gt 1 ]; then
        return 0
    fi
    mv "$work/still-new.png" "$work/still-last.png"
    lastPlace="$place"
    return 1
}

# windowSettles [WINDOW] [TENTHS]: the window (the program's by default) painted and still, within TENTHS
# tenths of a second (300: each picture takes a while on a loaded machine, and a sanitized program paints
# slowly; the wait ends as soon as two pictures agree). The window must not be covered:
# a covered part has no picture.
windowSettles()
{
    rm -f "$work/still-last.png"
    lastPlace=""
    waitUntil "${2:-300}" pictureStill "${1:-$window}"
}

hasFocus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# holdsFor TENTHS COMMAND...: COMMAND succeeds at every look during TENTHS tenths of a second, for what
# must not happen (a change that would show within that time); fails at the first look where it does not.
holdsFor()
{
    local end=$((${EPOCHREALTIME//[!0-9]/} + $1 * 100000))
    shift
    "$@" || return 1
    while [ "${EPOCHREALTIME//[!0-9]/}" -lt "$end" ]; do
        sleep 0.1
        "$@" || return 1
    done
}

# windowDiffersFrom PICTURE: the window's picture is no longer PICTURE.
windowDiffersFrom()
{
    shot "$work/differs.png"
    [ "$(compare -metric AE "$1" "$work/differs.png" /dev/null 2>&1)" != 0 ]
}

# The window shown as a user first sees it: framed and given the keyboard by the window manager when one
# runs, and painted.
startProgram()
{
    (cd "$work" && PATH="$stubs:$PATH" exec ${programWrapper[@]+"${programWrapper[@]}"} "$app/${programFile:-Musewheeler}") \
        >>"$work/program.log" 2>&1 &
    programPid=$!
    window=$(searchWindow "${windowTimeout:-30}" '^Musewheeler')
    [ -n "$window" ] || fail "no window appeared"
    if [ -n "$openboxPid" ]; then
        waitUntil $((${windowTimeout:-30} * 10)) hasFocus "$window" || fail "the window manager did not focus the window"
    fi
    windowSettles "$window" $((${windowTimeout:-30} * 10)) || fail "the window was not painted, or did not keep still"
}

# Waits up to endTimeout (10) seconds for the program to end by itself.
waitForEnd()
{
    for _ in $(seq $((${endTimeout:-10} * 10))); do
        kill -0 "$programPid" 2>/dev/null || break
        sleep 0.1
    done

    if kill -0 "$programPid" 2>/dev/null; then fail "the program did not end"; fi

    wait "$programPid" || true
    programPid=""
}

# The window closed as a user closes it: a click on the title bar's close button.
closeWindow()
{
    clickCloseButton
}

# clientArea: the window's inside on the screen, as the shell variables clientX, clientY, clientWidth and
# clientHeight (xdotool's geometry of a framed window is off by the frame).
clientArea()
{
    local info
    info=$(xwininfo -id "$window") || fail "the window is gone"
    clientX=$(awk '/Absolute upper-left X/ { print $4 }' <<<"$info")
    clientY=$(awk '/Absolute upper-left Y/ { print $4 }' <<<"$info")
    clientWidth=$(awk '/^ *Width:/ { print $2 }' <<<"$info")
    clientHeight=$(awk '/^ *Height:/ { print $2 }' <<<"$info")
}

# titleBarButton N: a click on the N-th button from the right of openbox's title bar (1 close, 2 maximise,
# 3 minimise), 16 pixels apart, in the middle of the 20 pixels above the window.
titleBarButton()
{
    clientArea
    xdotool mousemove $((clientX + clientWidth - 10 - 16 * ($1 - 1))) $((clientY - 10)) click 1
}

# A user's click on the close button of the title bar.
clickCloseButton()
{
    titleBarButton 1
}

title() { xdotool getwindowname "$window"; }

# waitForTitle TEXT [WHEN]: the window's title becomes TEXT within 5 s.
waitForTitle()
{
    for _ in $(seq 50); do
        [ "$(title)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the title is '$(title)', not '$1'${2:+ ($2)}"
}

# waitForFocus [WHEN]: the program's window has the keyboard again within 5 s, as after a question closed; keys
# typed before then, on a busy machine, would go nowhere.
waitForFocus()
{
    waitUntil 50 hasFocus "$window" || fail "the program's window did not get the keyboard back${1:+ ($1)}"
}

# questionWindow [TENTHS]: a question of the program, a second window titled Musewheeler, looked for during
# TENTHS tenths of a second (50 by default).
questionWindow()
{
    local found
    for _ in $(seq "${1:-50}"); do
        found=$(xdotool search --onlyvisible --name '^Musewheeler$' 2>/dev/null | grep -vx "$window" | head -n 1 || true)
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.1
    done
    return 1
}

# answerQuestion Yes|Ignore|Cancel [WHEN]: the button clicked, once the question shows, where the
# unsaved-changes question centres its three buttons; the question then goes within 5 s, and the program's
# window gets the keyboard back or the program ends.
answerQuestion()
{
    local question offset
    question=$(questionWindow) || fail "no question came up${2:+ ($2)}"
    windowSettles "$question" || fail "the question did not show${2:+ ($2)}"
    eval "$(xdotool getwindowgeometry --shell "$question")"
    case "$1" in
        Yes) offset=-87 ;;
        Ignore) offset=-12 ;;
        Cancel) offset=74 ;;
    esac
    xdotool mousemove --window "$question" $((WIDTH / 2 + offset)) $((HEIGHT - 22)) click 1

    waitUntil 50 questionGone || fail "the question stayed up after $1${2:+ ($2)}"
    waitUntil 50 windowBackOrEnded || true
}

questionGone() { ! questionWindow 1 >/dev/null; }

windowBackOrEnded() { ! isRunning || [ -z "$openboxPid" ] || hasFocus "$window"; }

# searchWindow SECONDS NAME: the first shown window whose name matches NAME, once there, within SECONDS; prints
# it, or nothing. A window that goes while xdotool looks through the tree (a program starting or ending makes
# and drops windows of its own) ends that look with an X error: the look is made again.
searchWindow()
{
    local deadline=$((SECONDS + $1)) found=""
    while [ -z "$found" ] && [ "$SECONDS" -le "$deadline" ]; do
        found=$(timeout $((deadline - SECONDS + 1)) xdotool search --sync --onlyvisible --name "$2" 2>/dev/null | head -n 1) || true
        [ -n "$found" ] || sleep 0.1
    done
    echo "$found"
}

# chooserWindow TITLE: the file chooser titled so, once shown (the desktop's own, zenity, or the toolkit's);
# prints its window.
chooserWindow()
{
    searchWindow 10 "^$1\$"
}

# saveThroughChooser NAME: Control+S brings up the save-as chooser; NAME is typed into its file name field,
# which has the keyboard from the start, and taken with Return, as a user does: by the keyboard alone,
# whichever chooser comes up.
saveThroughChooser()
{
    local chooser
    xdotool key ctrl+s
    chooser=$(chooserWindow "Choose the place to save your set")
    [ -n "$chooser" ] || fail "Control+S brought up no save-as chooser"
    windowSettles "$chooser" || fail "the save-as chooser did not show"
    # The keys go where the window manager gives the keyboard: to the chooser, once it has it.
    waitUntil 50 hasFocus "$chooser" || fail "the save-as chooser did not get the keyboard"
    # Which chooser it was, for the reports: zenity's window class, or the program's.
    chooserKind=$(xprop -id "$chooser" WM_CLASS 2>/dev/null | sed -n 's/.*= "\([^"]*\)".*/\1/p')
    xdotool type --delay 20 "$1"
    xdotool key Return
}

# hideNativeChoosers: the next programs started find neither zenity nor kdialog, as on a desktop without
# them, and fall back on the toolkit's chooser (the toolkit looks them up with which).
hideNativeChoosers()
{
    cat > "$stubs/which" <<'STUB'
#!/bin/sh
case "$1" in zenity | kdialog) exit 1 ;; esac
exec /usr/bin/which "$@"
STUB
    chmod +x "$stubs/which"
}

stopProgram()
{
    closeWindow
    waitForEnd
}

# Without a window manager nothing can ask the window to close; the program is stopped instead.
killProgram()
{
    kill "$programPid"
    wait "$programPid" 2>/dev/null || true
    programPid=""
}

isRunning()
{
    kill -0 "$programPid" 2>/dev/null
}

shot()
{
    # import waits for ever on a window that went away with its program.
    isRunning || fail "the program ended unexpectedly (see its output below)$(printf '\n'; tail -n 20 "$work/program.log" 2>/dev/null)"
    timeout 10 import -window "$window" "${1:-$work/shot.png}" || fail "no picture of the window"
}

# pixel X Y: the colour at a point of the window, as RRGGBB.
pixel()
{
    shot "$work/pixel.png"
    convert "$work/pixel.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6
}

# countColour COLOUR GEOMETRY: how many pixels of the window's area are about that colour.
countColour()
{
    shot "$work/count.png"
    convert "$work/count.png" -crop "$2" +repage -fill black -opaque white -fuzz 20% -fill white -opaque "$1" \
        -fill black +opaque white -format '%[fx:int(mean*w*h+0.5)]' info:
}

# A click, then the pointer moved away, so that no button stays lit under it for the pictures. The pointer
# stays a moment on what it clicked, as a hand's does: moved away at once, a busy program may take the
# click for none.
clickAt()
{
    xdotool mousemove --window "$window" "$1" "$2" click 1 sleep 0.1 mousemove --window "$window" 250 5
}

# menuEntry N: opens the main menu and takes its N-th entry (Options 1, Timer 2, Sets edition 3,
# To get more sets 4, Help 5, Copy the current advice 6, About 7).
# The entry's own effect is for the caller to wait for (a panel shown, the title changed...).
menuEntry()
{
    clickAt "$menuX" "$buttonsY"
    waitUntil 50 popupShown || fail "the menu did not open"
    popupSettles || fail "the menu did not show"
    local keys=()
    for _ in $(seq "$1"); do keys+=(Down); done
    xdotool key --window "$window" "${keys[@]}" Return
    waitUntil 100 popupGone || fail "the menu stayed open after its entry $1 was taken"
}

# openFromMenu N: menuEntry N for an entry that changes the screen (Options 1, Sets edition 3, About 7): the
# screen changes, then keeps still.
openFromMenu()
{
    shot "$work/before-entry.png"
    menuEntry "$1"
    waitUntil 50 windowDiffersFrom "$work/before-entry.png" || fail "the menu's entry $1 changed nothing on the screen"
    windowSettles || fail "the screen did not settle after the menu's entry $1"
}

clipboardText() { xclip -o -selection clipboard 2>/dev/null || true; }

clipboardFilled() { [ -n "$(clipboardText)" ]; }

# The shown advice, through the menu's copy entry: the clipboard emptied first, then read once filled
# (empty if it never is within 5 s).
copyCurrentAdvice()
{
    # The xclip that empties the clipboard stays on in the background until the program takes the clipboard:
    # it must not hold the output of a $(...) around this function open, should the menu fail.
    printf '' | xclip -selection clipboard >/dev/null 2>&1
    menuEntry 6
    waitUntil 50 clipboardFilled || true
    clipboardText
}

# helpAddressAfterF1: F1 sent to the program's window; prints the first address handed to the browser (run it
# in $(...) followed by "|| exit 1", as its failure ends only that subshell).
helpAddressAfterF1()
{
    rm -f "$work/launched.txt"
    xdotool key --window "$window" F1
    waitUntil 50 browserCalled || fail "F1 handed nothing to the browser"
    head -n 1 "$work/launched.txt"
}

browserCalled() { [ -s "$work/launched.txt" ]; }

popupShown()
{
    # grep reads the whole tree: with -q it would stop at the first match, and under pipefail xwininfo's
    # broken pipe would turn a shown pop-up into a missing one.
    xwininfo -root -tree 2>/dev/null | grep '"menu"' >/dev/null
}

popupGone() { ! popupShown; }

# The pop-up's window on top, among those shown (the toolkit may still be taking down one it replaces).
popupWindow() { xdotool search --onlyvisible --name '^menu$' 2>/dev/null | tail -n 1; }

popupPictureStill()
{
    local popup
    popup=$(popupWindow)
    [ -n "$popup" ] && pictureStill "$popup"
}

# The pop-up shown as a user sees it: its window painted and still (a window that another replaced starts
# the look again, as its place names it).
popupSettles()
{
    rm -f "$work/still-last.png"
    lastPlace=""
    waitUntil 100 popupPictureStill
}

# chooseInCombo X Y KEY...: opens the list at X, Y with a click and moves through its pop-up with the keys
# (from the entry chosen now) and Return, as a keyboard user does.
chooseInCombo()
{
    local x="$1" y="$2"
    shift 2
    xdotool mousemove --window "$window" "$x" "$y" click 1
    waitUntil 50 popupShown || fail "the list at $x, $y opened no pop-up"
    popupSettles || fail "the pop-up of the list at $x, $y did not show"
    xdotool key "$@" Return
    # On a busy machine the pop-up may miss the Return after the moves: as a user would, Return is pressed
    # again while the entry stays lit; the choice itself is checked by the callers.
    local try
    for try in 1 2 3; do
        waitUntil 30 popupGone && break
        [ "$try" = 3 ] || xdotool key Return
    done
    popupGone || fail "the pop-up of the list at $x, $y stayed open"
    # The list shows its new choice.
    windowSettles || fail "the window did not settle after a choice in the list at $x, $y"
}
