#!/bin/bash
# installer-check.sh SETUP VERSION [WINEPREFIX]: tries the Windows setup under Wine, in a Wine prefix of its
# own (a temporary one unless given; never ~/.wine), on an X display of its own with a window manager:
# the setup's language; a silent install into the user's %LOCALAPPDATA%\Programs\Musewheeler, its files,
# shortcut and entry in the list of installed programs; the program started from there until its window
# shows, with its data folder filled from the shipped sets; an upgrade by a second setup, made from the
# same files with other shipped sets, which gives up while the program runs, then installs, and which
# musewheeler-sets brings in, replacing the set the user never changed and leaving the changed and the
# deleted ones; the setup under test again, a downgrade; a silent uninstall, which removes the program and
# keeps the sets and settings; and /D= for another folder.
# The second setup is made by packaging/windows/make-setup.sh from the files the first was made from, the
# folder windows-setup-files beside SETUP (MUSEWHEELER_SETUP_FILES names another).
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 SETUP VERSION [WINEPREFIX]" >&2
    exit 2
fi

setup=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
version=$2
here=$(cd "$(dirname "$0")" && pwd)
sourceDir=$(cd "$here/../.." && pwd)
setupFiles=${MUSEWHEELER_SETUP_FILES:-$(dirname "$setup")/windows-setup-files}

prefix=${3:-}
source "$here/lib/package-check.sh"

[ -f "$setup" ] || fail "no setup at $setup"
[ -d "$setupFiles/shipped" ] || fail "no setup files at $setupFiles (MUSEWHEELER_SETUP_FILES)"
startWine

localAppData=$(windowsFolder LOCALAPPDATA)
startMenu=$(windowsFolder APPDATA)/Microsoft/Windows/Start\ Menu/Programs
[ -d "$localAppData" ] || fail "no %LOCALAPPDATA% folder: $localAppData"
install="$localAppData/Programs/Musewheeler"
bundle="$localAppData/Programs/Common/VST3/Musewheeler.vst3"
uninstallKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Musewheeler'

# registryValue NAME: the value of the uninstall entry, empty when missing.
registryValue()
{
    wine reg query "$uninstallKey" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

# installSilently SETUP [/D=FOLDER]: /D= comes last, as NSIS reads the rest of the line as the folder.
installSilently()
{
    runWine "$1" /S "${@:2}" && settle || fail "the setup $1 failed"
}

# setupTitle LOCALE: the title of the setup's first page on a system in that language. The setup is ended
# there, before it installs anything.
setupTitle()
{
    (LC_ALL=$1 exec wine "$setup") >/dev/null 2>&1 &
    local launcher=$! window title
    window=$(timeout 120 xdotool search --sync --onlyvisible --name Musewheeler 2>/dev/null | head -n 1) || true
    [ -n "$window" ] || fail "the setup showed no window under $1"
    title=$(xdotool getwindowname "$window")
    kill "$(xdotool getwindowpid "$window")" 2>/dev/null || kill "$launcher" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
    settle || fail "the setup did not end"
    echo "$title"
}

# --- The setup speaks the system's language, French or else English.
title=$(setupTitle fr_FR.UTF-8)
[ "$title" = "Installation de Musewheeler" ] || fail "the setup's title on a French system is '$title'"
title=$(setupTitle de_DE.UTF-8)
[ "$title" = "Musewheeler Setup" ] || fail "the setup's title on a German system is '$title'"
[ ! -e "$install" ] || fail "the setup ended on its first page installed something"
check "the setup in French on a French system, in English on a German one"

# --- A first installation, silent, into the default folder.
installSilently "$setup"

for file in Musewheeler.exe musewheeler-sets.exe Uninstall.exe help/index.html help/fr/index.html; do
    [ -f "$install/$file" ] || fail "$file is not installed in $install"
done
cmp -s "$setupFiles/Musewheeler.exe" "$install/Musewheeler.exe" || fail "the installed program is not the one of the setup files"
shippedNames=$(cd "$setupFiles/shipped" && ls -- *.mwh)
[ "$(cd "$install/shipped" && ls -- *.mwh)" = "$shippedNames" ] || fail "shipped\\ does not hold the shipped sets"
[ ! -e "$install/data" ] || fail "the setup wrote data\\ itself"
[ -f "$startMenu/Musewheeler.lnk" ] || fail "no Start-menu shortcut in $startMenu"
check "the program, its help and the shipped sets installed in $install, with a shortcut"

[ "$(registryValue DisplayName)" = Musewheeler ] || fail "the uninstall entry's DisplayName is '$(registryValue DisplayName)'"
[ "$(registryValue DisplayVersion)" = "$version" ] || fail "the uninstall entry's DisplayVersion is '$(registryValue DisplayVersion)'"
[ -n "$(registryValue Publisher)" ] || fail "the uninstall entry has no Publisher"
installLocation=$(registryValue InstallLocation)
[ "$(winepath -u "$installLocation" 2>/dev/null)" = "$install" ] || fail "InstallLocation is '$installLocation'"
[ "$(registryValue UninstallString)" = "\"$installLocation\\Uninstall.exe\"" ] || fail "UninstallString is '$(registryValue UninstallString)'"
[ "$(registryValue QuietUninstallString)" = "\"$installLocation\\Uninstall.exe\" /S" ] || fail "QuietUninstallString is '$(registryValue QuietUninstallString)'"
[ "$(registryValue NoModify)" = 0x1 ] && [ "$(registryValue NoRepair)" = 0x1 ] || fail "NoModify or NoRepair is not 1"
estimated=$(registryValue EstimatedSize)
installedKiB=$(du -sk "$install" | cut -f1)
[ -n "$estimated" ] && [ $((estimated)) -gt $((installedKiB / 2)) ] && [ $((estimated)) -lt $((installedKiB * 2)) ] ||
    fail "EstimatedSize is '$estimated' KiB for $installedKiB KiB installed"
check "the entry in the installed programs: version $version, $((estimated)) KiB"

if [ -d "$setupFiles/Musewheeler.vst3" ]; then
    [ -f "$bundle/Contents/x86_64-win/Musewheeler.vst3" ] || fail "the VST3 plugin is not in $bundle"
    [ -d "$bundle/Contents/Resources/shipped" ] && [ -d "$bundle/Contents/Resources/help" ] ||
        fail "the VST3 bundle lacks its shipped sets or help"
    check "the VST3 plugin in the user's VST3 folder"
fi

startAndClose "$install/Musewheeler.exe"
[ "$(cd "$install/data" && ls -- *.mwh)" = "$shippedNames" ] || fail "data\\ was not filled from shipped\\"
for set in "$install"/shipped/*.mwh; do
    cmp -s "$set" "$install/data/$(basename "$set")" || fail "data\\$(basename "$set") differs from the shipped set"
done
[ -f "$install/shipped-sets.txt" ] || fail "no record of the shipped sets beside the program"
[ -f "$install/Musewheeler.ini" ] || fail "the program kept no Musewheeler.ini beside itself: it did not run portable"
check "the program started from $install, its window shown and closed, data\\ filled from shipped\\, Musewheeler.ini beside it"

# --- An upgrade: the user stars one set and deletes another; the next setup ships new versions of those and
# of a third, which the user left alone.
names=($shippedNames)
[ ${#names[@]} -ge 3 ] || fail "fewer than three shipped sets to try the upgrade with"
kept=${names[0]} changed=${names[1]} deleted=${names[2]}
printf '\n' >> "$install/data/$changed"
cp "$install/data/$changed" "$work/changed-by-user.mwh"
rm "$install/data/$deleted"

cp -r "$setupFiles" "$work/upgrade-files"
for set in "$kept" "$changed" "$deleted"; do
    printf '\n\n' >> "$work/upgrade-files/shipped/$set"
done
"$sourceDir/packaging/windows/make-setup.sh" "$work/upgrade-files" "$version" "$work/Musewheeler-upgrade.exe" ||
    fail "the upgrade's setup could not be made"

# While the program runs, its files cannot be replaced on Windows: the silent setup gives up and changes
# nothing.
startProgram "$install/Musewheeler.exe"
if runWine "$work/Musewheeler-upgrade.exe" /S; then
    fail "the setup went on while the program was running"
fi
cmp -s "$setupFiles/shipped/$kept" "$install/shipped/$kept" || fail "the setup that gave up changed shipped\\$kept"
closeProgram
check "the upgrade's setup gave up while the program was running, and changed nothing"

installSilently "$work/Musewheeler-upgrade.exe"
cmp -s "$work/upgrade-files/shipped/$kept" "$install/shipped/$kept" || fail "the upgrade did not replace shipped\\$kept"
cmp -s "$setupFiles/shipped/$kept" "$install/data/$kept" || fail "the setup itself changed data\\$kept"

# musewheeler-sets, started first, brings the new sets in as the program would.
listed=$(runWine "$install/musewheeler-sets.exe" sets 2>"$work/sets-command.log" | tr -d '\r') ||
    fail "musewheeler-sets sets failed: $(cat "$work/sets-command.log")"
grep -qF "$kept" <<<"$listed" || fail "musewheeler-sets does not list $kept: $listed"
cmp -s "$work/upgrade-files/shipped/$kept" "$install/data/$kept" || fail "the set the user never changed was not upgraded"
cmp -s "$work/changed-by-user.mwh" "$install/data/$changed" || fail "the set the user changed was replaced"
[ ! -e "$install/data/$deleted" ] || fail "the set the user deleted came back"
check "the upgrade, by musewheeler-sets: $kept replaced, $changed as the user changed it, $deleted still deleted"

(cd "$install/data" && md5sum -- *.mwh) > "$work/upgraded.md5"
startAndClose "$install/Musewheeler.exe"
(cd "$install/data" && md5sum --quiet -c "$work/upgraded.md5") || fail "the program's start after the upgrade changed the sets"
[ ! -e "$install/data/$deleted" ] || fail "the set the user deleted came back at the program's start"
check "the program started after the upgrade, on the same sets"

# --- Back to the setup under test, whose uninstaller is tried next: after that downgrade, the set the user
# never changed is the older version again, and the user's changes stay.
installSilently "$setup"
startAndClose "$install/Musewheeler.exe"
cmp -s "$setupFiles/shipped/$kept" "$install/data/$kept" || fail "the set the user never changed was not downgraded"
cmp -s "$work/changed-by-user.mwh" "$install/data/$changed" || fail "the set the user changed was replaced at the downgrade"
[ ! -e "$install/data/$deleted" ] || fail "the set the user deleted came back at the downgrade"
check "the downgrade back: $kept as first shipped, the changed and deleted sets as the user left them"

# --- The silent uninstall: the program goes, the sets and the settings stay.
# A check first, which keeps what it measured of the fonts in the user's cache folder.
runWine "$install/musewheeler-sets.exe" check "$(winepath -w "$install/data/$kept")" >/dev/null 2>&1 ||
    fail "musewheeler-sets check of $kept failed"
record="$localAppData/Musewheeler/card-text-widths"
[ -s "$record" ] || fail "musewheeler-sets check wrote no record of the fonts' widths in $record"
cp "$install/Musewheeler.ini" "$work/settings.ini"
(cd "$install/data" && md5sum -- *.mwh) > "$work/sets.md5"
uninstaller="$install/Uninstall.exe"
# The uninstaller runs from a copy of itself in the temporary folder and returns at once: the prefix's
# server going idle tells it has finished.
runWine "$uninstaller" /S || fail "the uninstaller failed"
settle
for file in Musewheeler.exe musewheeler-sets.exe Uninstall.exe help shipped; do
    [ ! -e "$install/$file" ] || fail "$file is left after the uninstall"
done
[ ! -e "$startMenu/Musewheeler.lnk" ] || fail "the shortcut is left after the uninstall"
[ -z "$(registryValue DisplayName)" ] || fail "the uninstall entry is left"
[ ! -e "$record" ] && [ ! -e "$localAppData/Musewheeler" ] || fail "the record of the fonts' widths is left"
cmp -s "$work/settings.ini" "$install/Musewheeler.ini" || fail "Musewheeler.ini was not kept"
(cd "$install/data" && md5sum --quiet -c "$work/sets.md5") || fail "the sets were not kept"
if [ -d "$setupFiles/Musewheeler.vst3" ]; then
    [ ! -e "$bundle/Contents/x86_64-win" ] && [ ! -e "$bundle/Contents/Resources/shipped" ] ||
        fail "the VST3 plugin is left after the uninstall"
fi
check "the silent uninstall: program, help, shipped sets, shortcut, entry and the fonts' record gone; sets and Musewheeler.ini kept"

# --- /D= installs elsewhere, and the uninstaller leaves no empty folder there. NSIS reads /D= unquoted, so
# the folder has no space: Wine quotes an argument that holds one.
elsewhere='C:\Elsewhere\Musewheeler'
rm -rf "$install"
wine reg delete "$uninstallKey" /f >/dev/null 2>&1 || true
installSilently "$setup" "/D=$elsewhere"
other=$(winepath -u "$elsewhere")
[ -f "$other/Musewheeler.exe" ] && [ -d "$other/shipped" ] || fail "/D= did not install into $other"
[ ! -e "$install" ] || fail "/D= installed into the default folder too"
[ "$(registryValue InstallLocation)" = "$elsewhere" ] || fail "InstallLocation is '$(registryValue InstallLocation)' after /D="
runWine "$other/Uninstall.exe" /S || fail "the uninstaller failed in $other"
settle
[ ! -e "$other" ] || fail "the uninstaller left $other, which held only what the setup put there"
check "/D= installed into $other, and the uninstaller removed that folder whole"

echo "PASS: the setup of Musewheeler $version"
