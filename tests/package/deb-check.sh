#!/bin/bash
# The Debian package as a distribution and a user meet it: its files, its control fields, lintian and the
# validators; then, unpacked into a folder of its own, its launcher started by bare name from another folder
# under Xvfb with openbox, for a user with a fresh home: the user's program folder, a favourite, an upgrade
# that replaces the program and keeps the favourite and the settings, and musewheeler-sets. As root, the
# package is also installed with apt-get and removed again.
# With LV2_URI, the package was built with the plugins: their bundles must be in /usr/lib/vst3 and
# /usr/lib/lv2, and lv2ls must find that URI in the package's tree.
# Usage: deb-check.sh PACKAGE.deb SOURCE_DIR [LV2_URI]
set -euo pipefail

deb=$(readlink -f "$1")
sourceDir=$(readlink -f "$2")
lv2Uri="${3:-}"
[ -f "$deb" ] || { echo "FAIL: no package $1" >&2; exit 1; }

unpacked=$(mktemp -d /tmp/musewheeler-deb.XXXXXX)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"

# session.sh gives the display, the window manager and the gestures; its own program folder goes unused,
# since here the launcher makes the user's.
program="$unpacked/usr/lib/musewheeler/Musewheeler"
source "$sourceDir/tests/e2e/lib/session.sh"
chmod 755 "$work"

# A package this script installed goes again however the script ends.
installedHere=""
removeInstalled()
{
    [ "$BASHPID" = "$$" ] || return 0
    if [ -n "$installedHere" ]; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -q musewheeler >/dev/null 2>&1 || true
    fi
}
trap 'removeInstalled; cleanUp' EXIT

# A root and a home whose names hold what shells treat specially.
root="$work/package root"
mv "$unpacked" "$root"
chmod 755 "$root"
home="$work/home of o'neil \"q\" \$x"
elsewhere="$work/some other folder"
mkdir -p "$home" "$elsewhere"
programHome="$home/.local/share/musewheeler"
packaged="$root/usr/lib/musewheeler"

version=$(sed -n 's/^project (Musewheeler VERSION \([0-9.]*\).*/\1/p' "$sourceDir/CMakeLists.txt")
shipped=$(cd "$sourceDir/data" && ls ./*.mwh | sed 's|^\./||' | sort)

#-------------------------------------------------------------------------------------------------------
# What the package holds.
listing=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $NF }' | sort)

expected=$(
    {
        echo "-rwxr-xr-x ./usr/bin/musewheeler"
        echo "-rwxr-xr-x ./usr/bin/musewheeler-sets"
        echo "-rwxr-xr-x ./usr/lib/musewheeler/Musewheeler"
        echo "-rwxr-xr-x ./usr/lib/musewheeler/musewheeler-sets"
        echo "-rw-r--r-- ./usr/lib/musewheeler/program-home.sh"
        (cd "$sourceDir" && find help -type f) | sed 's|^|-rw-r--r-- ./usr/lib/musewheeler/|'
        printf '%s\n' "$shipped" | sed 's|^|-rw-r--r-- ./usr/lib/musewheeler/data/|'
        echo "-rw-r--r-- ./usr/share/applications/musewheeler.desktop"
        for size in 48 128 256; do
            echo "-rw-r--r-- ./usr/share/icons/hicolor/${size}x$size/apps/musewheeler.png"
        done
        echo "-rw-r--r-- ./usr/share/metainfo/$(sed -n 's|^ *<id>\(.*\)</id>$|\1|p' "$root"/usr/share/metainfo/*.metainfo.xml).metainfo.xml"
        echo "-rw-r--r-- ./usr/share/man/man1/musewheeler.1.gz"
        echo "-rw-r--r-- ./usr/share/man/man1/musewheeler-sets.1.gz"
        echo "-rw-r--r-- ./usr/share/doc/musewheeler/copyright"
        echo "-rw-r--r-- ./usr/share/doc/musewheeler/changelog.gz"
        echo "-rw-r--r-- ./usr/share/lintian/overrides/musewheeler"
        if [ -n "$lv2Uri" ]; then
            for bundle in vst3/Musewheeler.vst3/Contents/Resources lv2/Musewheeler.lv2; do
                (cd "$sourceDir" && find help -type f) | sed "s|^|-rw-r--r-- ./usr/lib/$bundle/|"
                printf '%s\n' "$shipped" | sed "s|^|-rw-r--r-- ./usr/lib/$bundle/data/|"
            done
            echo "-rw-r--r-- ./usr/lib/vst3/Musewheeler.vst3/Contents/x86_64-linux/Musewheeler.so"
            for file in libMusewheeler.so manifest.ttl dsp.ttl ui.ttl; do
                echo "-rw-r--r-- ./usr/lib/lv2/Musewheeler.lv2/$file"
            done
        fi
    } | sort
)
[ "$listing" = "$expected" ] || fail "the package's files differ from those expected:$(printf '\n')$(diff <(echo "$expected") <(echo "$listing") || true)"
check "dpkg-deb -c lists the launchers, the programs, the help, the $(echo "$shipped" | wc -l) shipped sets, the desktop entry, the icons, the metainfo, the man pages and the documentation, nothing else"

if [ -n "$lv2Uri" ]; then
    listed=$(LV2_PATH="$root/usr/lib/lv2" lv2ls)
    [ "$listed" = "$lv2Uri" ] || fail "lv2ls lists '$listed' in the package's tree, not $lv2Uri"
    nm -D --defined-only "$root/usr/lib/vst3/Musewheeler.vst3/Contents/x86_64-linux/Musewheeler.so" | grep -q ' T GetPluginFactory$' \
        || fail "the packaged VST3 plugin does not export GetPluginFactory"
    check "the plugins are in /usr/lib/vst3 and /usr/lib/lv2; lv2ls finds $lv2Uri there"
fi

[ "$(basename "$deb")" = "musewheeler_${version}_$(dpkg --print-architecture).deb" ] || fail "the package is named $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Package)" = musewheeler ] || fail "the package is called $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in 'libc6 (>= ' 'libstdc++6 (>= ' 'libfreetype6' 'libx11-6' 'libxext6'; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
check "musewheeler $version for $(dpkg --print-architecture), its Depends filled by dpkg-shlibdeps and the X libraries"

if ! lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log" >&2
    fail "lintian reports errors or warnings"
fi
check "lintian reports no error and no warning"

desktop-file-validate "$root/usr/share/applications/musewheeler.desktop" || fail "the desktop entry is not valid"
grep -qx 'Exec=musewheeler' "$root/usr/share/applications/musewheeler.desktop" || fail "the desktop entry does not start the launcher"
grep -qx 'Icon=musewheeler' "$root/usr/share/applications/musewheeler.desktop" || fail "the desktop entry names another icon"
for size in 48 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x$size/apps/musewheeler.png"
    [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x$size" ] || fail "the $size icon is $(identify -format '%m %wx%h' "$icon")"
done
check "the desktop entry is valid and starts the launcher; the icons are PNGs of their sizes"

metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml)
# The tree, not the file alone: the desktop entry the metainfo launches must be there too.
appstreamcli validate-tree --no-net "$root" >"$work/appstream.log" 2>&1 || fail "appstreamcli: $(cat "$work/appstream.log")"
grep -q '<launchable type="desktop-id">musewheeler.desktop</launchable>' "$metainfo" || fail "the metainfo launches another desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo does not list release $version"
pictures=$(sed -n 's|.*<image[^>]*>.*/\([^/]*\)</image>.*|\1|p' "$metainfo")
[ "$(echo "$pictures" | wc -l)" -ge 3 ] || fail "the metainfo shows $(echo "$pictures" | wc -l) screenshots"
for picture in $pictures; do
    [ -f "$sourceDir/docs/images/$picture" ] || fail "the screenshot $picture is no picture of the tour"
done
[ "$(grep -c '<caption>' "$metainfo")" = "$(echo "$pictures" | wc -l)" ] || fail "a screenshot has no caption"
check "appstreamcli validates the package tree's metainfo: release $version, $(echo "$pictures" | wc -l) captioned pictures of the tour"

for command in musewheeler musewheeler-sets; do
    page="$root/usr/share/man/man1/$command.1.gz"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $command.1: $warnings"
    shown=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)
    grep -q "^ *$command - " <<<"$shown" || fail "$command.1 does not name $command"
done
check "man shows both pages without a warning"

#-------------------------------------------------------------------------------------------------------
# The launcher, by bare name through the PATH, from another folder, as an unprivileged user where the test
# runs as root.
startDisplay

userPath="$root/usr/bin:/usr/bin:/bin"
userEnv=(env -i HOME="$home" PATH="$userPath" DISPLAY="$DISPLAY")
userPrefix=()
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$home" "$elsewhere"
    userPrefix=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

asUser() { (cd "$elsewhere" && exec ${userPrefix[@]+"${userPrefix[@]}"} "${userEnv[@]}" "$@"); }

startLauncher()
{
    (cd "$elsewhere" && exec ${userPrefix[@]+"${userPrefix[@]}"} "${userEnv[@]}" musewheeler) >>"$work/program.log" 2>&1 &
    programPid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Musewheeler$' | head -n 1)
    [ -n "$window" ] || fail "the launcher opened no window: $(cat "$work/program.log")"
    waitUntil 300 hasFocus "$window" || fail "the window manager did not focus the window"
    windowSettles "$window" 300 || fail "the window was not painted"
}

favourites() { asUser musewheeler-sets list --favorites 2>/dev/null || true; }

startLauncher
[ "$(readlink -f "/proc/$programPid/exe")" = "$(readlink -f "$programHome/Musewheeler")" ] \
    || fail "the window is not the user's copy: $(readlink -f "/proc/$programPid/exe")"
cmp -s "$packaged/Musewheeler" "$programHome/Musewheeler" || fail "the user's program is not the package's"
cmp -s "$packaged/musewheeler-sets" "$programHome/musewheeler-sets" || fail "the user's musewheeler-sets is not the package's"
diff -r "$packaged/help" "$programHome/help" >/dev/null || fail "the user's help is not the package's"
[ "$(cd "$programHome/data" && ls ./*.mwh | sed 's|^\./||' | sort)" = "$shipped" ] || fail "the user's data holds other sets"
[ -f "$programHome/Musewheeler.ini" ] || fail "no Musewheeler.ini in the user's program folder"
[ "$(stat -c %u "$programHome/Musewheeler.ini")" = "$(stat -c %u "$home")" ] || fail "the settings are not the user's"
[ -z "$(ls -A "$elsewhere")" ] || fail "the program wrote into the current folder: $(ls -A "$elsewhere")"
wmClass=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/musewheeler.desktop")
windowClass=$(xprop -id "$window" WM_CLASS)
[[ "$windowClass" == *"\"$wmClass\"" ]] || fail "the window's class is not the desktop entry's $wmClass: $windowClass"
check "the launcher started the user's copy in ~/.local/share/musewheeler with its help, the shipped sets and its settings, and left the current folder alone; the window's class is the desktop entry's"

[ -z "$(favourites)" ] || fail "a fresh user has favourites: $(favourites)"
shown=$(copyCurrentAdvice)
[ -n "$shown" ] || fail "no advice on the clipboard"
clickAt "$favoriteX" "$buttonsY"
starMarked() { starred=$(favourites); [ "$(cut -f2- <<<"$starred")" = "$shown" ]; }
waitUntil 50 starMarked || fail "after the star the favourites are '$starred', not '$shown'"
check "the star marked the shown advice in the user's sets"

clickCloseButton
waitForEnd
cp "$programHome/Musewheeler.ini" "$work/settings"

inode=$(stat -c %i "$programHome/Musewheeler")
asUser musewheeler-sets list >/dev/null
[ "$(stat -c %i "$programHome/Musewheeler")" = "$inode" ] || fail "a start copied the program again though it was current"
check "a start with the current program leaves it in place"

#-------------------------------------------------------------------------------------------------------
# An upgrade: a newer program and help, and one more shipped set; meanwhile the user made a set.
printf 'newer build' >> "$packaged/Musewheeler"
printf 'newer build' >> "$packaged/musewheeler-sets"
printf '<!-- newer -->\n' >> "$packaged/help/index.html"
printf 'MusewheelerV1 - Set file\n\nName=Newer set;\nDescription=About it;\nAuthor=Someone;\nLanguage=1;\nColour=10,20,30;\n\nItem=Hum the bass line first.;\nFavorite=false;\nTags=0,;\n\n' \
    > "$packaged/data/zz-newer.mwh"
asUser sh -c 'printf "MusewheelerV1 - Set file\n\nName=Mine;\n" > "$1"' sh "$programHome/data/mine.mwh"
cp "$programHome/data/mine.mwh" "$work/mine.mwh"

startLauncher
[ "$(readlink -f "/proc/$programPid/exe")" = "$(readlink -f "$programHome/Musewheeler")" ] \
    || fail "after the upgrade the window is not the user's copy"
cmp -s "$packaged/Musewheeler" "$programHome/Musewheeler" || fail "the upgrade did not replace the user's program"
cmp -s "$packaged/musewheeler-sets" "$programHome/musewheeler-sets" || fail "the upgrade did not replace musewheeler-sets"
diff -r "$packaged/help" "$programHome/help" >/dev/null || fail "the upgrade did not replace the help"
[ -f "$programHome/data/zz-newer.mwh" ] || fail "the upgrade did not add the new shipped set"
cmp -s "$work/mine.mwh" "$programHome/data/mine.mwh" || fail "the upgrade changed the user's own set"
cmp -s "$work/settings" "$programHome/Musewheeler.ini" || fail "the upgrade changed the settings"
[ "$(favourites)" = "$starred" ] || fail "after the upgrade the favourites are '$(favourites)'"
[ "$(copyCurrentAdvice)" = "$shown" ] || fail "the upgraded program does not show the last advice of the settings"
[ -z "$(ls -A "$elsewhere")" ] || fail "the program wrote into the current folder: $(ls -A "$elsewhere")"
check "after an upgrade the launcher started the newer program and help, added the new set, and kept the favourite, the user's set and the settings"

clickCloseButton
waitForEnd

#-------------------------------------------------------------------------------------------------------
# musewheeler-sets through its launcher, for a user whose XDG_DATA_HOME is set.
xdgHome="$work/xdg data"
mkdir -p "$xdgHome"
if [ "$(id -u)" = 0 ]; then chown 65534:65534 "$xdgHome"; fi
userEnv+=(XDG_DATA_HOME="$xdgHome")
listed=$(asUser musewheeler-sets list | cut -f1 | sort -u)
[ "$listed" = "$(printf '%s\nzz-newer.mwh' "$shipped")" ] || fail "musewheeler-sets lists the sets '$listed'"
[ -x "$xdgHome/musewheeler/musewheeler-sets" ] || fail "musewheeler-sets did not run from \$XDG_DATA_HOME/musewheeler"
check "musewheeler-sets list through its launcher lists the shipped sets, from \$XDG_DATA_HOME/musewheeler"

#-------------------------------------------------------------------------------------------------------
# Installed and removed with apt, where the test runs as root and no musewheeler is installed already.
if [ "$(id -u)" != 0 ]; then
    echo "skipped: apt-get install and remove (not root)"
elif [[ "$(dpkg-query -W -f='${Status}' musewheeler 2>/dev/null || true)" == *"ok installed" ]]; then
    echo "skipped: apt-get install and remove (a musewheeler package is installed already and stays)"
else
    cp "$deb" "$work/"
    chmod 644 "$work/$(basename "$deb")"
    installedHere=yes
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$work/$(basename "$deb")" \
        >"$work/apt.log" 2>&1 || fail "apt-get install failed: $(tail -n 20 "$work/apt.log")"
    installedHome="$work/installed home"
    mkdir -p "$installedHome"
    chown 65534:65534 "$installedHome"
    userEnv=(env -i HOME="$installedHome" PATH=/usr/bin:/bin)
    [ "$(command -v musewheeler)" = /usr/bin/musewheeler ] || fail "no /usr/bin/musewheeler after apt-get install"
    listed=$(asUser musewheeler-sets list | cut -f1 | sort -u)
    [ "$listed" = "$shipped" ] || fail "the installed musewheeler-sets lists the sets '$listed'"
    # Containers often keep manual pages out of what dpkg unpacks.
    if man -w musewheeler-sets >/dev/null 2>&1; then
        shown=$(man musewheeler-sets 2>/dev/null)
        grep -q 'musewheeler-sets - ' <<<"$shown" || fail "man musewheeler-sets shows no page"
    else
        grep -rqs '^path-exclude=/usr/share/man' /etc/dpkg/dpkg.cfg.d/ || fail "man finds no page for musewheeler-sets"
        echo "note: dpkg here leaves out manual pages (/etc/dpkg/dpkg.cfg.d)"
    fi
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -q musewheeler >"$work/apt.log" 2>&1 \
        || fail "apt-get remove failed: $(tail -n 20 "$work/apt.log")"
    installedHere=""
    for gone in /usr/bin/musewheeler /usr/bin/musewheeler-sets /usr/lib/musewheeler \
                /usr/share/applications/musewheeler.desktop; do
        [ ! -e "$gone" ] || fail "apt-get remove left $gone"
    done
    [ -f "$installedHome/.local/share/musewheeler/data/${shipped%%$'\n'*}" ] || fail "apt-get remove took the user's sets"
    check "apt-get installs the package, whose musewheeler-sets lists the sets, and removes it, leaving the user's folder"
fi

echo "PASS ($SECONDS s)"
