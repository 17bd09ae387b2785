#!/bin/bash
# `make install` and `make uninstall` for a user without root: the programs in ~/.local/lib/musewheeler run
# in place through links on the PATH, the help and shipped sets in ~/.local/share/musewheeler beside the
# user's sets, which the program makes, the settings in ~/.config/musewheeler, the desktop entry and the
# icon; a reinstall and an uninstall keep the user's sets and settings.
# The plugins go into ~/.vst3 and ~/.lv2 when built: MUSEWHEELER_PLUGIN_FOLDER names the folder holding
# VST3/Musewheeler.vst3 and LV2/Musewheeler.lv2, and MUSEWHEELER_LV2_URI the LV2 plugin's URI. Without them
# the reinstall is given a folder with no plugin, which must install none.
# Usage: install.sh MUSEWHEELER_EXECUTABLE SOURCE_DIR
set -euo pipefail

program="$1"
sourceDir="$2"
programFolder=$(dirname "$program")
# The virtual display is the first free one of display.sh's range; MUSEWHEELER_E2E_DISPLAY names another.
source "$(dirname "$0")/lib/display.sh"
if [ -n "${MUSEWHEELER_E2E_DISPLAY:-}" ]; then
    displayNumbers="${MUSEWHEELER_E2E_DISPLAY#:}"
fi

work=$(mktemp -d /tmp/musewheeler-install.XXXXXX)
chmod 755 "$work"
# A home whose name holds what shells and desktop entries treat specially.
home="$work/home of o'neil \"q\" \$x \`y\`"
mkdir -p "$home"
programPid=""

cleanUp()
{
    if [ -n "$programPid" ]; then kill "$programPid" 2>/dev/null || true; fi
    stopDisplay
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

# Run as an unprivileged user when the tests run as root, so that nothing may quietly rely on root.
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$home"
    asUser() { setpriv --reuid=65534 --regid=65534 --clear-groups env -i HOME="$home" PATH="/usr/bin:/bin" DISPLAY="$display" "$@"; }
else
    asUser() { env -i HOME="$home" PATH="/usr/bin:/bin" DISPLAY="$display" "$@"; }
fi

programHome="$home/.local/share/musewheeler"
libDir="$home/.local/lib/musewheeler"
settings="$home/.config/musewheeler/Musewheeler.ini"
launcher="$home/.local/bin/musewheeler"
setsLauncher="$home/.local/bin/musewheeler-sets"
desktopEntry="$home/.local/share/applications/musewheeler.desktop"
icon="$home/.local/share/icons/hicolor/256x256/apps/musewheeler.png"
vst3Bundle="$home/.vst3/Musewheeler.vst3"
lv2Bundle="$home/.lv2/Musewheeler.lv2"
pluginFolder="${MUSEWHEELER_PLUGIN_FOLDER:-$work/no-plugins}"
mkdir -p "$work/no-plugins"

#-------------------------------------------------------------------------------------------------------
asUser sh "$sourceDir/packaging/install.sh" install "$programFolder" "$sourceDir" >"$work/install.log" \
    || fail "install failed: $(cat "$work/install.log")"

[ -x "$libDir/Musewheeler" ] || fail "no program in $libDir"
cmp -s "$program" "$libDir/Musewheeler" || fail "the installed program differs from the built one"
for page in index.html sets.html fr/index.html fr/sets.html; do
    [ -f "$programHome/help/$page" ] || fail "help/$page is missing"
done
shipped=$(ls "$sourceDir"/data/*.mwh | wc -l)
[ "$(ls "$programHome"/shipped/*.mwh | wc -l)" = "$shipped" ] || fail "not every shipped set was installed"
[ ! -e "$programHome/data" ] || fail "the install made the user's sets, which the program makes"
[ ! -e "$programHome/Musewheeler" ] || fail "the install put a program beside the user's sets"
[ "$(stat -c %u "$libDir/Musewheeler")" = "$(stat -c %u "$home")" ] || fail "the files are not the user's"
check "the program in ~/.local/lib/musewheeler, its help and the $shipped shipped sets in ~/.local/share/musewheeler"
[ ! -e "$home/.vst3" ] && [ ! -e "$home/.lv2" ] || fail "an install without plugins made a plugin folder"

[ "$(readlink "$launcher")" = "$libDir/Musewheeler" ] || fail "the launcher is no link to the program: $(ls -l "$launcher")"
[ "$(identify -format '%m %wx%h' "$icon")" = "PNG 256x256" ] || fail "the icon is not a 256 x 256 PNG"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktopEntry" || fail "the desktop entry is not valid"
fi
grep -qx "Icon=$icon" "$desktopEntry" || fail "the desktop entry names another icon"

# The Exec value, unquoted as a desktop environment does: string escapes first, then the argument's.
exec=$(sed -n 's/^Exec=//p' "$desktopEntry")
exec="${exec#\"}"
exec="${exec%\"}"
exec=$(printf '%s' "$exec" | sed -e 's/\\\\/\\/g' -e 's/\\\(.\)/\1/g')
[ "$exec" = "$launcher" ] || fail "the desktop entry starts '$exec'"
check "the launcher, the icon and a valid desktop entry that starts the launcher are in place"

# The command beside the program, started through its link from elsewhere, makes the user's sets from the
# shipped ones and reads them.
cmp -s "$programFolder/musewheeler-sets" "$libDir/musewheeler-sets" || fail "musewheeler-sets is not installed"
[ "$(readlink "$setsLauncher")" = "$libDir/musewheeler-sets" ] || fail "no musewheeler-sets link"
listed=$(cd / && asUser "$setsLauncher" list 2>/dev/null | cut -f1 | sort -u | tr '\n' ' ')
[ "$listed" = "$(cd "$sourceDir/data" && ls *.mwh | sort | tr '\n' ' ')" ] \
    || fail "the installed musewheeler-sets lists the sets '$listed'"
asUser "$setsLauncher" draw --daily --language en >"$work/daily.log" 2>&1 || fail "draw --daily failed: $(cat "$work/daily.log")"
grep -q '^— .*, The Musewheeler developers (2026)$' "$work/daily.log" || fail "draw --daily printed: $(cat "$work/daily.log")"
[ "$(ls "$programHome"/data/*.mwh | wc -l)" = "$shipped" ] || fail "the user's folder did not get the shipped sets"
check "musewheeler-sets lies beside the program and, through its link, made the user's sets and reads them"

#-------------------------------------------------------------------------------------------------------
startDisplay bare

asUser "$launcher" >"$work/program.log" 2>&1 &
programPid=$!
# A look the server refuses (its queue of new connections full at the start of a loaded run: xdotool then
# says "Can't open display") or that an X error ends is made again.
windowShown()
{
    window=$(xdotool search --onlyvisible --name '^Musewheeler$' 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
waitUntil 300 windowShown || fail "the launcher opened no window"
# The first paint shows an advice: its frame in a set's colour, neither unpainted black nor the grey of no
# advice; the settings are written at the start.
adviceShown()
{
    import -window "$window" "$work/shot.png" 2>/dev/null || return 1
    frame=$(convert "$work/shot.png" -format '%[hex:p{80,145}]' info: | cut -c1-6)
    [ "$frame" != "000000" ] && [ "$frame" != "D3D3D3" ]
}
frame=""
for _ in $(seq 100); do
    adviceShown && [ -f "$settings" ] && break
    sleep 0.1
done
[ -f "$settings" ] || fail "the program did not keep its settings in ~/.config/musewheeler"
adviceShown || fail "the installed program shows no advice (frame $frame)"
kill "$programPid"
wait "$programPid" 2>/dev/null || true
programPid=""
check "the link starts the program, which shows advice and keeps its settings in ~/.config/musewheeler"

#-------------------------------------------------------------------------------------------------------
firstSet=$(ls "$programHome"/data/*.mwh | head -n 1)
asUser sh -c 'printf "edited by the user" > "$1" && printf "MusewheelerV1 - Set file\n\nName=Mine;\n" > "$2"' \
    sh "$firstSet" "$programHome/data/mine.mwh"
printf 'settings' > "$work/settings"
cp "$settings" "$work/settings"

asUser sh "$sourceDir/packaging/install.sh" install "$programFolder" "$sourceDir" "$pluginFolder" >"$work/install.log" \
    || fail "reinstall failed: $(cat "$work/install.log")"
[ "$(cat "$firstSet")" = "edited by the user" ] || fail "the reinstall overwrote a set the user changed"
[ -f "$programHome/data/mine.mwh" ] || fail "the reinstall lost the user's own set"
cmp -s "$work/settings" "$settings" || fail "the reinstall changed the settings"
check "a reinstall keeps the user's sets and settings"

if [ -n "${MUSEWHEELER_PLUGIN_FOLDER:-}" ]; then
    diff -r "$pluginFolder/VST3/Musewheeler.vst3" "$vst3Bundle" -x Musewheeler.ini -x data -x help -x shipped-sets.txt >/dev/null \
        || fail "the VST3 bundle in ~/.vst3 differs from the built one"
    diff -r "$pluginFolder/LV2/Musewheeler.lv2" "$lv2Bundle" -x Musewheeler.ini -x data -x help -x shipped-sets.txt >/dev/null \
        || fail "the LV2 bundle in ~/.lv2 differs from the built one"
    [ ! -e "$lv2Bundle/data" ] && [ ! -e "$vst3Bundle/Contents/Resources/data" ] || fail "the plugins carry sets of their own"
    [ "$(stat -c %u "$lv2Bundle/manifest.ttl")" = "$(stat -c %u "$home")" ] || fail "the plugins are not the user's"
    # lilv's default path starts with ~/.lv2: a host finds the plugin there without being told.
    listed=$(asUser lv2ls)
    printf '%s\n' "$listed" | grep -qxF "$MUSEWHEELER_LV2_URI" || fail "lv2ls lists '$listed'"
    check "the plugins are in ~/.vst3 and ~/.lv2, and lv2ls finds the LV2 one there"
else
    [ ! -e "$home/.vst3" ] && [ ! -e "$home/.lv2" ] || fail "an install with no plugin built made a plugin folder"
    grep -q "the plugins are not installed" "$work/install.log" || fail "the install did not say the plugins were left out"
    check "with no plugin built, the install says so and installs none"
fi

asUser sh "$sourceDir/packaging/install.sh" uninstall >"$work/uninstall.log" || fail "uninstall failed"
for removed in "$libDir" "$programHome/help" "$programHome/shipped" "$launcher" \
               "$setsLauncher" "$desktopEntry" "$icon" "$vst3Bundle" "$lv2Bundle"; do
    [ ! -e "$removed" ] || fail "uninstall left $removed"
done
[ -f "$programHome/data/mine.mwh" ] && [ -f "$firstSet" ] || fail "uninstall removed the user's sets"
cmp -s "$work/settings" "$settings" || fail "uninstall removed the settings"
[ -z "$(find "$home" -type f -perm /111)" ] || fail "uninstall left executables: $(find "$home" -type f -perm /111)"
grep -q "your sets and settings stay in" "$work/uninstall.log" || fail "uninstall did not say where the sets stay"
check "uninstall removes the program and keeps the user's sets and settings"

echo "PASS"
