#!/bin/bash
# The About panel and the options panel as a user meets them: About opens from the menu, its links go to
# the browser and leave it open, a click elsewhere closes it; the options panel's Cancel leaves file and
# screen alone, its OK rewrites the configuration and draws from the new filter; with the advice timer
# at 5 seconds nothing is drawn while a panel is open, and draws resume once it is closed. Nothing here
# concerns the window itself, so no window manager runs.
# Usage: panels.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
source "$(dirname "$0")/lib/session.sh"

# One advice per set and one colour per set, so that the frame colour tells which advice is shown. Tag 1
# marks the red and the blue set, tag 2 the green one; the purple set is French.
writeSet a-red.mwh "Red set" 1 "200,30,30" "1," "Red advice: play the melody backwards."
writeSet b-green.mwh "Green set" 1 "30,160,60" "2," "Green advice: write with three notes only."
writeSet c-blue.mwh "Blue set" 1 "30,60,200" "1," "Blue advice: change the key for the bridge."
writeSet d-purple.mwh "Purple set" 0 "140,40,160" "1," "Conseil violet : changez de tonalité."

declare -A adviceOfColour=(
    [C81E1E]="Red advice: play the melody backwards."
    [1EA03C]="Green advice: write with three notes only."
    [1E3CC8]="Blue advice: change the key for the bridge."
    [8C28A0]="Conseil violet : changez de tonalité."
)

frameColour() { pixel "$frameX" "$frameY"; }

# The links' orange in the About panel's link area.
aboutLinksShown() { [ "$(countColour orange 300x60+50+245)" -gt 100 ]; }
aboutClosed() { ! aboutLinksShown; }

# The options panel's grey frame at the left.
optionsShown() { [ "$(pixel 15 100)" = "808080" ]; }
optionsClosed() { ! optionsShown; }

configHolds()
{
    local line text
    text=$(configText)
    for line in "$@"; do grep -x "$line" <<<"$text" >/dev/null || return 1; done
}

startDisplay bare

#-------------------------------------------------------------------------------------------------------
# The About panel.
writeConfig
startProgram
shown=$(frameColour)
[ -n "${adviceOfColour[$shown]+set}" ] || fail "the frame has no set colour: $shown"

menuEntry 7
waitUntil 50 aboutLinksShown || fail "the About entry showed no links"
windowSettles || fail "the About panel did not settle"
[ "$(pixel 15 100)" = "808080" ] || fail "the About panel has no frame: $(pixel 15 100)"
# Under the nearly opaque sheet the frame of the main screen is only a shade.
covered=$(frameColour)
[ "$covered" != "$shown" ] || fail "the About panel does not cover the screen"
check "About opened over the main screen with its links"

rm -f "$work/launched.txt"
clickAt 70 267
waitUntil 50 browserCalled || true
[ "$(cat "$work/launched.txt" 2>/dev/null)" = "https://juce.com" ] \
    || fail "the JUCE link handed '$(cat "$work/launched.txt" 2>/dev/null)' to the browser"
# The click taken and the screen still again: a panel closing on it would have gone by then.
windowSettles || fail "the window did not settle after the click on the link"
aboutLinksShown || fail "a click on a link closed the About panel"
check "a click on a link opened its address and left the panel open"

clickAt 250 100
waitUntil 50 aboutClosed || fail "a click on the panel did not close it"
windowSettles || fail "the window did not settle after About closed"
[ "$(frameColour)" = "$shown" ] || fail "after About the frame is $(frameColour), not $shown"
check "a click on the panel closed it and the same advice shows"

#-------------------------------------------------------------------------------------------------------
# The options panel: Cancel.
cp "$app/Musewheeler.ini" "$work/before.ini"
before=$(copyCurrentAdvice)
[ "$before" = "${adviceOfColour[$shown]}" ] || fail "the screen shows '$before'"

menuEntry 1
waitUntil 50 optionsShown || fail "the options panel did not open"
windowSettles || fail "the options panel did not settle"
chooseInCombo 320 122 Down        # French sets only
chooseInCombo 320 182 Down Down   # the tag "Musewheeler" (1)
clickAt 350 295                   # Cancel
waitUntil 50 optionsClosed || fail "Cancel did not close the options panel"
windowSettles || fail "the window did not settle after Cancel"
cmp -s "$work/before.ini" "$app/Musewheeler.ini" || fail "Cancel changed the configuration: $(configText)"
[ "$(frameColour)" = "$shown" ] || fail "after Cancel the frame is $(frameColour)"
[ "$(copyCurrentAdvice)" = "$before" ] || fail "Cancel changed the advice"
check "Cancel left the configuration file and the screen alone"

#-------------------------------------------------------------------------------------------------------
# The options panel: OK, with English sets only, the tag 1 and the French interface.
menuEntry 1
waitUntil 50 optionsShown || fail "the options panel did not open again"
windowSettles || fail "the options panel did not settle"
chooseInCombo 320 122 Down Down   # English sets only
chooseInCombo 320 182 Down Down   # the tag "Musewheeler" (1)
chooseInCombo 320 92 Up           # Français
clickAt 150 295                   # OK
waitUntil 50 optionsClosed || fail "OK did not close the options panel"
waitUntil 50 configHolds "Language=0;" "LanguageSet=1;" "Sets=;" "Tags=1;" "LookForFavorites=false;" || true
text=$(configText)
for line in "Language=0;" "LanguageSet=1;" "Sets=;" "Tags=1;" "LookForFavorites=false;"; do
    grep -qx "$line" <<<"$text" || fail "the configuration lacks $line: $text"
done
check "OK rewrote the configuration with the new choices"

# Only the red and the blue advice pass the new filter; every draw must be one of them.
declare -A drawn=()
for draw in 1 2 3 4; do
    advice=$(copyCurrentAdvice)
    case "$advice" in
        "${adviceOfColour[C81E1E]}" | "${adviceOfColour[1E3CC8]}") drawn[$advice]=1 ;;
        *) fail "draw $draw after OK showed '$advice'" ;;
    esac
    clickAt "$newAdviceX" "$buttonsY"
done
[ "${#drawn[@]}" = 2 ] || fail "the draws showed ${#drawn[@]} advice, not both of the filter"
check "the draws after OK come from the new filter only"

killProgram

#-------------------------------------------------------------------------------------------------------
# The advice timer at 5 seconds while a panel is open.
writeConfig Timer=5
startProgram

# The shade of the frame under a panel changes with every draw: it must stay for two periods under the
# About panel and one under the options panel.
watchUnderPanel()
{
    local covered end=$((SECONDS + $1))
    covered=$(frameColour)
    while [ "$SECONDS" -lt "$end" ]; do
        sleep 0.5
        [ "$(frameColour)" = "$covered" ] || fail "an advice was drawn while the panel was open"
    done
}

menuEntry 7
waitUntil 50 aboutLinksShown || fail "the About entry showed no panel"
windowSettles || fail "the About panel did not settle"
watchUnderPanel 10
clickAt 250 100
waitUntil 50 aboutClosed || fail "a click on the About panel did not close it"
windowSettles || fail "the window did not settle after About closed"
shown=$(frameColour)

# The timer's draw may fall on the shown advice once; within two ticks it cannot twice. A draw shows in the
# frame after the fade's hold of two seconds.
changed=""
for _ in $(seq 26); do
    sleep 0.5
    if [ "$(frameColour)" != "$shown" ]; then changed=yes; break; fi
done
[ -n "$changed" ] || fail "no advice was drawn within 13 s after the About panel closed"

menuEntry 1
waitUntil 50 optionsShown || fail "the options panel did not open"
windowSettles || fail "the options panel did not settle"
watchUnderPanel 6
clickAt 350 295
check "with the timer at 5 s nothing was drawn while a panel was open, and draws resumed after it"

killProgram

echo "PASS"
