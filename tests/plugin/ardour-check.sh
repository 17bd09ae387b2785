#!/bin/bash
# The plugins in Debian's Ardour, headless (its ardour7-lua session tool on the dummy audio backend): a
# session with a MIDI track and both plugins, the Note of each set to 60 through Ardour's own controls,
# saved and closed, then opened again, where Ardour's control of the VST3 plugin's Note must read 60 still.
# Then the timer of both set to "Every 4 bars" in the saved session (no control reaches it), the session
# opened, the transport rolled for 20 s with no window open, and saved: each plugin's saved advice must have
# changed.
# Ardour keeps its own settings, plugin cache and the session under WORK_FOLDER (the user's ~/.config/ardour7
# is never touched), and the plugins read the sets shipped in copies of their bundles.
# Usage: ardour-check.sh LV2_BUNDLE VST3_BUNDLE WORK_FOLDER SOURCE_DIR
set -uo pipefail

lv2Bundle=$(realpath "$1")
vst3Bundle=$(realpath "$2")
work="$3"
sourceDir=$(realpath "$4")

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

for tool in ardour7-lua; do
    command -v "$tool" >/dev/null || fail "$tool is missing (make ardour-deps installs Debian's ardour)"
done

rm -rf "$work"
mkdir -p "$work/home/.lv2" "$work/home/.vst3" "$work/musewheeler"
work=$(realpath "$work")
cp -r "$lv2Bundle" "$work/home/.lv2/"
cp -r "$vst3Bundle" "$work/home/.vst3/"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
# Ardour looks for VST3 bundles in VST3_PATH when it is set, for LV2 ones in LV2_PATH.
export LV2_PATH="$work/home/.lv2" VST3_PATH="$work/home/.vst3" MUSEWHEELER_HOME="$work/musewheeler"

# Ardour lists a VST3 plugin once its scanner has put it in the plugin cache, which the program's window
# does at its first start and the session tool never does; the tool reads the cache only once a first
# session has been made.
cat >"$work/start.lua" <<LUA
AudioEngine:set_backend ("None (Dummy)", "", "")
assert (create_session ("$work/first-session", "first", 48000))
close_session ()
print ("musewheeler: started")
LUA
timeout 120 ardour7-lua "$work/start.lua" >"$work/start.log" 2>&1
grep -q '^musewheeler: started$' "$work/start.log" || fail "ardour7-lua does not start: $(cat "$work/start.log")"
LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst3-scanner -f -q "$work/home/.vst3/$(basename "$vst3Bundle")" \
    >"$work/scanner.log" 2>&1 || fail "Ardour's VST3 scanner failed: $(cat "$work/scanner.log")"

runSession()
{
    timeout 300 ardour7-lua "$sourceDir/tests/plugin/ardour-session.lua" "$1" "$work/session" >"$work/$1.log" 2>&1
    grep '^musewheeler:' "$work/$1.log"
    if grep -q '^Error:' "$work/$1.log"; then
        sed 's/^/ardour: /' "$work/$1.log" >&2
        fail "the session tool stopped on an error in '$1'"
    fi
}

runSession create | grep -q '^musewheeler: saved$' || fail "the session was not saved"
echo "ok ($SECONDS s): a session with both plugins, Note set to 60, saved"

checked=$(runSession check) || exit 1
echo "$checked"
grep -qx 'musewheeler: VST3 note 60' <<<"$checked" || fail "Ardour's control of the VST3 Note does not read 60 after the session was opened again"
echo "ok ($SECONDS s): the VST3 Note reads 60 in the session opened again"

# Ardour saves no value for an LV2 plugin's properties (the session file keeps the control with no value)
# and shows the default until the plugin reports one: the LV2 line above says what it shows.

# Only the groups of bars draw here: the track plays no note, and the timer in seconds is off.
bars=$(runSession bars) || exit 1
echo "$bars"
grep -Eq '^musewheeler: rolled (1[89]|2[0-9])\.' <<<"$bars" || fail "the transport did not roll for about 20 s"
for format in LV2 VST3; do
    line=$(grep "^musewheeler: $format timerBars" <<<"$bars")
    read -r before after <<<"$(sed -E 's/.* advice before (-?[0-9]+|nil) after (-?[0-9]+|nil)$/\1 \2/' <<<"$line")"
    grep -q ' timerBars 4 ' <<<"$line" || fail "the $format plugin's saved state lost the bar timer: $line"
    [[ "$before" =~ ^[0-9]+$ && "$after" =~ ^[0-9]+$ ]] || fail "the $format plugin's saved state holds no advice: $line"
    [ "$before" != "$after" ] || fail "the $format plugin's saved advice did not change in 20 s of bars: $line"
done
echo "ok ($SECONDS s): both plugins' saved advice changed in 20 s of bars at 120 beats a minute, no window open"
