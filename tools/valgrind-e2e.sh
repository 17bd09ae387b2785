#!/bin/bash
# The program's main flow under valgrind's memcheck, driven as a user would: the first start, several draws,
# a favourite marked and unmarked, the advice copied, the menu, the options panel (a choice changed, OK),
# the About panel, the set editor (a new set, an advice typed, Back, Ignore), F1, and the window's close
# button. Then the configuration written at the end and the memcheck log: no error, and no block definitely
# lost where the program's own code had a hand in the allocation.
# Usage: valgrind-e2e.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR LOG_FILE
set -euo pipefail

program="$1"
sourceDir="$(cd "$2" && pwd)"
logFile="$3"
source "$sourceDir/tests/e2e/lib/session.sh"

mkdir -p "$(dirname "$logFile")"
logFile="$(cd "$(dirname "$logFile")" && pwd)/$(basename "$logFile")"
rm -f "$logFile"

# Everything runs many times slower under memcheck: each wait below is for a condition, with room.
patience=180
windowTimeout=600
endTimeout=600
programWrapper=(valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect
    --errors-for-leak-kinds=definite --track-origins=yes --num-callers=30
    --suppressions="$sourceDir/tests/valgrind.supp" --fullpath-after= --child-silent-after-fork=yes
    --log-file="$logFile")

# One advice per set and one colour per set; the French set shows whether the options' filter holds.
writeSet a-red.mwh "Red set" 1 "200,30,30" "1," "Red advice: play the melody backwards."
writeSet b-green.mwh "Green set" 1 "30,160,60" "2," "Green advice: write with three notes only."
writeSet c-blue.mwh "Blue set" 1 "30,60,200" "1," "Blue advice: change the key for the bridge."
writeSet d-purple.mwh "Purple set" 0 "140,40,160" "1," "Conseil violet : changez de tonalité."

declare -A fileOfAdvice=(
    ["Red advice: play the melody backwards."]=a-red.mwh
    ["Green advice: write with three notes only."]=b-green.mwh
    ["Blue advice: change the key for the bridge."]=c-blue.mwh
    ["Conseil violet : changez de tonalité."]=d-purple.mwh
)
declare -A adviceOfColour=(
    [C81E1E]="Red advice: play the melody backwards."
    [1EA03C]="Green advice: write with three notes only."
    [1E3CC8]="Blue advice: change the key for the bridge."
    [8C28A0]="Conseil violet : changez de tonalité."
)

favoriteX=408

# waitFor DESCRIPTION COMMAND...: the command succeeds within the patience, while the program runs. The mouse
# moves by a pixel at each try: under memcheck a click on an open pop-up could otherwise wait unseen for
# ever (most likely events that Xlib read along with the reply to the toolkit's constant pointer queries,
# left in its queue while the toolkit waits on the socket), and any movement lets it through.
waitFor()
{
    local what="$1"
    shift
    tryFor "$patience" "$what" "$@" || fail "$what: not within $patience s"
}

# tryFor SECONDS DESCRIPTION COMMAND...: as waitFor, but only tells whether the command succeeded in time.
tryFor()
{
    local end=$((SECONDS + $1)) what="$2" step=1
    shift 2

    until "$@"; do
        isRunning || fail "the program ended while waiting for $what$(printf '\n'; tail -n 20 "$work/program.log")"
        [ "$SECONDS" -lt "$end" ] || return 1
        xdotool mousemove_relative -- "$step" 0
        step=$((-step))
        sleep 0.5
    done
}

frameColour() { pixel "$frameX" "$frameY"; }
frameShowsSet() { [ -n "${adviceOfColour[$(frameColour)]+set}" ]; }
panelShown() { [ "$(pixel 15 100)" = "808080" ]; }
panelHidden() { ! panelShown; }
# A window that goes while xwininfo walks the tree fails the walk: that is no proof the pop-up is gone.
popupHidden()
{
    local tree
    tree=$(xwininfo -root -tree 2>/dev/null) || return 1
    ! grep '"menu"' >/dev/null <<<"$tree"
}
aboutLinksShown() { [ "$(countColour orange 300x60+50+245)" -gt 100 ]; }
aboutLinksHidden() { ! aboutLinksShown; }
titleIs() { [ "$(xdotool getwindowname "$window")" = "$1" ]; }

# popupOrigin: the screen position of the pop-up shown, as "X Y".
popupOrigin()
{
    xwininfo -root -tree 2>/dev/null | sed -n 's/.*"menu":.* [0-9]*x[0-9]*+\([0-9]*\)+\([0-9]*\) .*/\1 \2/p' | head -n 1
}

# clickInPopup Y: the mouse brought onto the pop-up's entry Y pixels below its top, then a click there. The
# pop-up opens where the mouse is when the program gets to it, wherever the script has moved it since.
clickInPopup()
{
    local x y
    read -r x y <<<"$(popupOrigin)"
    xdotool mousemove $((x + 60)) $((y + $1))
    sleep 2
    xdotool mousemove $((x + 62)) $((y + $1)) click 1
}

# menuEntry N: the main menu opened with a click, its N-th entry clicked once it shows (Options 1, Timer 2,
# Sets edition 3, To get more sets 4, Help 5, Copy the current advice 6, About 7).
menuEntryY=(0 12 34 66 88 120 142 164)
menuEntry()
{
    clickAt "$menuX" "$buttonsY"
    waitFor "the main menu" popupShown
    sleep 2
    clickInPopup "${menuEntryY[$1]}"
    waitFor "the main menu to close" popupHidden
}

clipboardHolds() { [ -n "$(timeout 30 xclip -o -selection clipboard 2>/dev/null || true)" ]; }

# copyCurrentAdvice: the menu's copy entry, the clipboard's text in `copied`. No command substitution around
# it: the xclip that empties the clipboard stays on in the background, and would hold its output open.
copyCurrentAdvice()
{
    printf '' | xclip -selection clipboard >/dev/null 2>&1
    menuEntry 6
    waitFor "the copied advice" clipboardHolds
    copied=$(timeout 30 xclip -o -selection clipboard)
}

# chooseInCombo X Y N: the list at X, Y opened with a click, its N-th entry (from 0) clicked.
chooseInCombo()
{
    # The pop-up may close again as it opens, when the window manager's focus handling comes at the wrong
    # moment: a user clicks again.
    local try
    for try in 1 2 3 4 5; do
        xdotool mousemove --window "$window" "$1" "$2" click 1
        tryFor 30 "the pop-up of the list at $1, $2" popupShown && break
        [ "$try" -lt 5 ] || fail "the list at $1, $2 opened no pop-up in five clicks"
    done
    sleep 2
    clickInPopup $((9 + 15 * $3))
    waitFor "the pop-up of the list at $1, $2 to close" popupHidden
}

fileMarked() { iconv -f UTF-16 -t UTF-8 "$app/data/$1" | tr -d '\r' | grep -x "Favorite=$2;" >/dev/null; }

startDisplay
writeConfig
startProgram
waitFor "the first paint" frameShowsSet
check "the program started under memcheck"

#-------------------------------------------------------------------------------------------------------
# Draws: each one is followed by a copy, which also waits for the draw to be done.
declare -A drawn=()
copyCurrentAdvice
shown="$copied"
[ -n "${fileOfAdvice[$shown]+set}" ] || fail "the first advice is '$shown'"
drawn[$shown]=1
for _ in 1 2 3 4; do
    clickAt "$newAdviceX" "$buttonsY"
    copyCurrentAdvice
    shown="$copied"
    [ -n "${fileOfAdvice[$shown]+set}" ] || fail "a draw showed '$shown'"
    drawn[$shown]=1
done
[ "${#drawn[@]}" -ge 2 ] || fail "five draws showed only '${!drawn[*]}'"
check "draws with the + button, each advice copied to the clipboard (${#drawn[@]} different)"

#-------------------------------------------------------------------------------------------------------
setFile="${fileOfAdvice[$shown]}"
clickAt "$favoriteX" "$buttonsY"
waitFor "the favourite mark in $setFile" fileMarked "$setFile" true
clickAt "$favoriteX" "$buttonsY"
waitFor "the favourite mark removed from $setFile" fileMarked "$setFile" false
check "the star marked the advice as a favourite in $setFile, and unmarked it"

#-------------------------------------------------------------------------------------------------------
# Options: English sets only, then OK.
menuEntry 1
waitFor "the options panel" panelShown
chooseInCombo 320 122 2
clickAt 150 295
waitFor "the options panel to close" panelHidden
configHolds() { grep -qx "$1" <<<"$(configText)"; }
waitFor "LanguageSet=1 in the configuration" configHolds "LanguageSet=1;"
for _ in 1 2 3; do
    clickAt "$newAdviceX" "$buttonsY"
    copyCurrentAdvice
    shown="$copied"
    [ "${fileOfAdvice[$shown]:-}" != d-purple.mwh ] || fail "a draw after OK showed the French set's advice"
done
check "the options panel's OK kept English sets only, and the draws followed"

#-------------------------------------------------------------------------------------------------------
menuEntry 7
waitFor "the About panel" aboutLinksShown
clickAt 250 100
waitFor "the About panel to close" aboutLinksHidden
check "About opened from the menu and a click closed it"

#-------------------------------------------------------------------------------------------------------
# The set editor: a new set with one advice, left by Back without saving.
menuEntry 3
sleep 2
clickAt 170 25
waitFor "the title of a new set" titleIs "Musewheeler*"
xdotool mousemove --window "$window" 250 168 click 1
sleep 5
xdotool key ctrl+a
xdotool type --delay 50 "Hum the tune in the shower."
xdotool key Return
sleep 5
clickAt 465 321

questionWindow()
{
    xdotool search --onlyvisible --name '^Musewheeler$' 2>/dev/null | grep -vx "$window" | head -n 1 || true
}
questionShown() { [ -n "$(questionWindow)" ]; }
waitFor "the question about the unsaved set" questionShown
sleep 3
question=$(questionWindow)
eval "$(xdotool getwindowgeometry --shell "$question")"
# Ignore, the middle one of the three buttons the alert centres.
xdotool mousemove --window "$question" $((WIDTH / 2 - 12)) $((HEIGHT - 22)) click 1
questionHidden() { ! questionShown; }
waitFor "the question to go" questionHidden
waitFor "the main screen's title" titleIs "Musewheeler"
waitFor "the main screen" frameShowsSet
[ "$(ls "$app/data")" = "$(printf 'a-red.mwh\nb-green.mwh\nc-blue.mwh\nd-purple.mwh')" ] \
    || fail "the data folder holds $(ls "$app/data")"
copyCurrentAdvice
shown="$copied"
[ -n "${fileOfAdvice[$shown]+set}" ] || fail "after the editor the screen shows '$shown'"
check "the editor made a new set, Back asked about it, Ignore dropped it and the main screen came back"

#-------------------------------------------------------------------------------------------------------
rm -f "$work/launched.txt"
xdotool key --window "$window" F1
helpLaunched() { [ -s "$work/launched.txt" ]; }
waitFor "the help page handed to the browser" helpLaunched
check "F1 handed the help page to the browser"

#-------------------------------------------------------------------------------------------------------
rm -f "$app/Musewheeler.ini"
started=$SECONDS
closeWindow
waitForEnd
check "the window's close button ended the program ($((SECONDS - started)) s with the leak check)"
if grep -q "Leaked objects" "$work/program.log"; then
    fail "the toolkit's leak detector reported at the end: $(grep -A1 "Leaked objects" "$work/program.log")"
fi

[ -f "$app/Musewheeler.ini" ] || fail "no configuration was written at the end"
[ "$(head -c 2 "$app/Musewheeler.ini" | od -An -tx1 | tr -d ' ')" = fffe ] \
    || fail "the configuration does not start with the UTF-16 byte-order mark"
text=$(configText)
[ "$(head -n 1 <<<"$text")" = "Musewheeler V1 - Init Data File" ] || fail "the configuration's header: $text"
for line in "Language=1;" "LanguageSet=1;" "Sets=;" "Tags=-1;" "LookForFavorites=false;" "Timer=0;"; do
    grep -qx "$line" <<<"$text" || fail "the configuration lacks $line: $text"
done
grep -qxE "LastItem=[0-9]+;" <<<"$text" || fail "the configuration has no shown advice: $text"
check "the configuration written at the end holds the choices of the session"

#-------------------------------------------------------------------------------------------------------
# The log: the error summary, then each definitely lost record whose stack passes through src/ (the entry
# point apart, under every stack of the main thread).
[ -f "$logFile" ] || fail "valgrind wrote no log"
grep -q "ERROR SUMMARY: " "$logFile" || fail "the log has no error summary: the run did not end normally"

ownLosses=$(awk -v own="$sourceDir/src/" -v entry="$sourceDir/src/app/Main.cpp" '
    { sub(/^==[0-9]+== ?/, "") }
    /^[0-9,]+ (\([0-9,]+ direct, [0-9,]+ indirect\) )?bytes in [0-9,]+ blocks are definitely lost/ {
        record = $0 "\n"; inRecord = 1; ours = 0; next }
    inRecord && /^$/ { if (ours) printf "%s\n", record; inRecord = 0; next }
    inRecord { record = record $0 "\n"; if (index($0, own) && !index($0, entry)) ours = 1 }
' "$logFile")

sed -n 's/^==[0-9]*== //p' "$logFile" | sed -n '/HEAP SUMMARY/,$p' | grep -E "in use at exit|total heap|definitely|indirectly|possibly|still reachable|suppressed|ERROR SUMMARY"

errors=$(sed -n 's/^==[0-9]*== \(ERROR SUMMARY: \)/\1/p' "$logFile" | tail -n 1)
if ! grep -q "ERROR SUMMARY: 0 errors" <<<"$errors" || [ -n "$ownLosses" ]; then
    echo "--- memcheck's errors:" >&2
    sed -n 's/^==[0-9]*== //p' "$logFile" | awk '
        /^(Invalid|Conditional|Use of uninitialised|Syscall param|Mismatched|Source and destination|Argument)/ { show = 1 }
        /definitely lost in loss record/ { show = 1 }
        show { print } /^$/ { show = 0 }' >&2
    [ -z "$ownLosses" ] || printf '%s\n' "--- definitely lost with the program's own code:" "$ownLosses" >&2
    fail "memcheck: $errors (the whole log: $logFile)"
fi
check "memcheck: $errors, no block lost by the program's own code"

echo "PASS ($SECONDS s; the log: $logFile)"
