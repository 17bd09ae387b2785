# Shared by the end-to-end scripts that drive the program's panels: a virtual display with a window
# manager (display.sh), the program in a folder of its own, and the user's gestures on its window.
# Source it after setting: program, sourceDir, and appFolder for a program folder of a fixed name or appName
# for the name of the program's folder inside the temporary one. It sets work, app, stubs, window and the
# PIDs it starts. A slow run (under valgrind) may set, before startProgram: programWrapper, an array of the
# command and arguments the program is started under; windowTimeout and endTimeout, how many seconds
# startProgram waits for the window (30) and waitForEnd for the end (10).

source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

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
cp "$program" "$app/Musewheeler"
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

startProgram()
{
    (cd "$work" && PATH="$stubs:$PATH" exec ${programWrapper[@]+"${programWrapper[@]}"} "$app/Musewheeler") \
        >>"$work/program.log" 2>&1 &
    programPid=$!
    window=$(timeout "${windowTimeout:-30}" xdotool search --sync --onlyvisible --name '^Musewheeler' | head -n 1)
    [ -n "$window" ] || fail "no window appeared"
    # The window manager maps and focuses the window; the first paint follows.
    sleep 1.5
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
    for _ in $(seq 50); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && return 0
        sleep 0.1
    done
    fail "the program's window did not get the keyboard back${1:+ ($1)}"
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

# answerQuestion Yes|Ignore|Cancel [WHEN]: the button clicked where the unsaved-changes question centres its
# three buttons; the question then goes within 5 s.
answerQuestion()
{
    local question offset
    question=$(questionWindow) || fail "no question came up${2:+ ($2)}"
    sleep 0.3
    eval "$(xdotool getwindowgeometry --shell "$question")"
    case "$1" in
        Yes) offset=-87 ;;
        Ignore) offset=-12 ;;
        Cancel) offset=74 ;;
    esac
    xdotool mousemove --window "$question" $((WIDTH / 2 + offset)) $((HEIGHT - 22)) click 1

    for _ in $(seq 50); do
        questionWindow 1 >/dev/null || { sleep 0.3; return 0; }
    done
    fail "the question stayed up after $1${2:+ ($2)}"
}

# saveThroughChooser NAME: Control+S brings up the toolkit's save-as chooser; NAME is typed into its file
# name box and taken with Return, as a user does.
saveThroughChooser()
{
    local chooser
    xdotool key ctrl+s
    chooser=$(timeout 10 xdotool search --sync --onlyvisible --name '^Choose the place to save your set$' | head -n 1)
    [ -n "$chooser" ] || fail "Control+S brought up no save-as chooser"
    sleep 0.7
    xdotool mousemove --window "$chooser" 318 437 click 1
    sleep 0.3
    xdotool type --delay 20 "$1"
    xdotool key Return
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

clickAt()
{
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.1
    xdotool mousemove --window "$window" 250 5
}

# Positions inside the window, from the layout of the main screen and its panels.
newAdviceX=460
menuX=40
buttonsY=321
frameX=80
frameY=147

# menuEntry N: opens the main menu and takes its N-th entry (Options 1, Timer 2, Sets edition 3,
# To get more sets 4, Help 5, Copy the current advice 6, About 7).
menuEntry()
{
    clickAt "$menuX" "$buttonsY"
    sleep 0.7
    local keys=()
    for _ in $(seq "$1"); do keys+=(Down); done
    xdotool key --window "$window" "${keys[@]}" Return
    sleep 0.7
}

copyCurrentAdvice()
{
    printf '' | xclip -selection clipboard
    menuEntry 6
    xclip -o -selection clipboard 2>/dev/null || true
}

# helpAddressAfterF1: F1 sent to the program's window; prints the first address handed to the browser (run it
# in $(...) followed by "|| exit 1", as its failure ends only that subshell).
helpAddressAfterF1()
{
    rm -f "$work/launched.txt"
    xdotool key --window "$window" F1
    sleep 1
    [ -f "$work/launched.txt" ] || fail "F1 handed nothing to the browser"
    head -n 1 "$work/launched.txt"
}

popupShown()
{
    # grep reads the whole tree: with -q it would stop at the first match, and under pipefail xwininfo's
    # broken pipe would turn a shown pop-up into a missing one.
    xwininfo -root -tree 2>/dev/null | grep '"menu"' >/dev/null
}

# chooseInCombo X Y KEY...: opens the list at X, Y with a click and moves through its pop-up with the keys
# (from the entry chosen now) and Return, as a keyboard user does.
chooseInCombo()
{
    local x="$1" y="$2"
    shift 2
    xdotool mousemove --window "$window" "$x" "$y" click 1

    for _ in $(seq 50); do
        popupShown && break
        sleep 0.1
    done

    popupShown || fail "the list at $x, $y opened no pop-up"
    sleep 0.3
    xdotool key "$@" Return

    for _ in $(seq 50); do
        popupShown || break
        sleep 0.1
    done

    popupShown && fail "the pop-up of the list at $x, $y stayed open"
    sleep 0.5
}
