#!/bin/bash
# The Debian package as a distribution and its users meet it. Its files, its control fields, lintian and the
# validators, its manual pages and LV2 manifest, and packing the same build again gives the same bytes.
# Then, as root, installed with apt-get: the programs run in place from /usr/bin, started by bare name from
# another folder under Xvfb with openbox, for new users whose homes get their sets and settings and nothing
# else; homes mounted noexec, read-only or full, no HOME at all, six first starts at once; a home of the
# per-user copy the earlier package made, taken over; an upgrade to a package with a changed shipped set and
# the downgrade back; the LV2 plugin in jalv for a user who never started the program; and apt-get remove.
# With LV2_URI, the package was built with the plugins: their bundles must be in /usr/lib/vst3 and
# /usr/lib/lv2, and lv2ls must find that URI in the package's tree. With MUSEWHEELER_DEB_BUILD_DIR, the
# build folder of the package, cpack packs it again there and the two packages are compared.
# Usage: deb-check.sh PACKAGE.deb SOURCE_DIR [LV2_URI]
set -euo pipefail

deb=$(readlink -f "$1")
sourceDir=$(readlink -f "$2")
lv2Uri="${3:-}"
buildDir="${MUSEWHEELER_DEB_BUILD_DIR:-}"
[ -f "$deb" ] || { echo "FAIL: no package $1" >&2; exit 1; }

unpacked=$(mktemp -d /tmp/musewheeler-deb.XXXXXX)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"

# session.sh gives the display, the window manager and the gestures; its own program folder goes unused.
program="$unpacked/usr/bin/musewheeler"
source "$sourceDir/tests/e2e/lib/session.sh"
chmod 755 "$work"

# What this script installed and mounted goes again however it ends.
installedHere=""
mounts=()
extraPids=()
removeInstalled()
{
    [ "$BASHPID" = "$$" ] || return 0
    local pid mount
    for pid in ${extraPids[@]+"${extraPids[@]}"}; do kill "$pid" 2>/dev/null || true; done
    for mount in ${mounts[@]+"${mounts[@]}"}; do umount "$mount" 2>/dev/null || true; done
    if [ -n "$installedHere" ]; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -q musewheeler >/dev/null 2>&1 || true
    fi
}
trap 'removeInstalled; cleanUp' EXIT

root="$work/package root"
mv "$unpacked" "$root"
chmod 755 "$root"

version=$(sed -n 's/^project (Musewheeler VERSION \([0-9.]*\).*/\1/p' "$sourceDir/CMakeLists.txt")
shipped=$(cd "$sourceDir/data" && ls ./*.mwh | sed 's|^\./||' | sort)
shippedCount=$(echo "$shipped" | wc -l)
releaseDate=$(date -u -d "@$(dpkg-parsechangelog -l "$sourceDir/packaging/changelog" -STimestamp)" +%F)

#-------------------------------------------------------------------------------------------------------
# What the package holds.
listing=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $NF }' | sort)

expected=$(
    {
        echo "-rwxr-xr-x ./usr/bin/musewheeler"
        echo "-rwxr-xr-x ./usr/bin/musewheeler-sets"
        (cd "$sourceDir" && find help -type f) | sed 's|^|-rw-r--r-- ./usr/share/musewheeler/|'
        printf '%s\n' "$shipped" | sed 's|^|-rw-r--r-- ./usr/share/musewheeler/shipped/|'
        echo "-rw-r--r-- ./usr/share/applications/musewheeler.desktop"
        for size in 16 32 48 64 128 256; do
            echo "-rw-r--r-- ./usr/share/icons/hicolor/${size}x$size/apps/musewheeler.png"
        done
        echo "-rw-r--r-- ./usr/share/metainfo/$(sed -n 's|^ *<id>\(.*\)</id>$|\1|p' "$root"/usr/share/metainfo/*.metainfo.xml).metainfo.xml"
        echo "-rw-r--r-- ./usr/share/man/man1/musewheeler.1.gz"
        echo "-rw-r--r-- ./usr/share/man/man1/musewheeler-sets.1.gz"
        echo "-rw-r--r-- ./usr/share/doc/musewheeler/copyright"
        echo "-rw-r--r-- ./usr/share/doc/musewheeler/changelog.gz"
        echo "-rw-r--r-- ./usr/share/lintian/overrides/musewheeler"
        if [ -n "$lv2Uri" ]; then
            echo "-rw-r--r-- ./usr/lib/vst3/Musewheeler.vst3/Contents/x86_64-linux/Musewheeler.so"
            for file in libMusewheeler.so manifest.ttl dsp.ttl ui.ttl; do
                echo "-rw-r--r-- ./usr/lib/lv2/Musewheeler.lv2/$file"
            done
        fi
    } | sort
)
[ "$listing" = "$expected" ] || fail "the package's files differ from those expected:$(printf '\n')$(diff <(echo "$expected") <(echo "$listing") || true)"
check "dpkg-deb -c lists the programs, the help and the $shippedCount shipped sets once in /usr/share/musewheeler, the desktop entry, six icons, the metainfo, the man pages and the documentation, nothing else"

if [ -n "$lv2Uri" ]; then
    listed=$(LV2_PATH="$root/usr/lib/lv2" lv2ls)
    [ "$listed" = "$lv2Uri" ] || fail "lv2ls lists '$listed' in the package's tree, not $lv2Uri"
    nm -D --defined-only "$root/usr/lib/vst3/Musewheeler.vst3/Contents/x86_64-linux/Musewheeler.so" | grep -q ' T GetPluginFactory$' \
        || fail "the packaged VST3 plugin does not export GetPluginFactory"
    grep -q 'foaf:mbox <mailto:[^>]*@[^>]*>' "$root"/usr/lib/lv2/Musewheeler.lv2/*.ttl || fail "the LV2 manifest's foaf:mbox is no mailto: address"
    ! grep -q 'rdfs:label ""' "$root"/usr/lib/lv2/Musewheeler.lv2/*.ttl || fail "the LV2 manifest has an empty label"
    sordi "$root/usr/lib/lv2/Musewheeler.lv2/manifest.ttl" >/dev/null 2>&1 || fail "sordi cannot read manifest.ttl"
    check "the plugins are in /usr/lib/vst3 and /usr/lib/lv2, lv2ls finds $lv2Uri there, its maintainer is a mailto: address and its preset has a label"
fi

[ "$(basename "$deb")" = "musewheeler_${version}_$(dpkg --print-architecture).deb" ] || fail "the package is named $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Package)" = musewheeler ] || fail "the package is called $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in 'libc6 (>= ' 'libstdc++6 (>= ' 'libfreetype6' 'libx11-6' 'libxext6'; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
# Built-Using names source packages: juce-modules-source's is juce.
builtUsing=$(dpkg-query -W -f='${source:Package} (= ${source:Version})' juce-modules-source)
[ "$(dpkg-deb -f "$deb" Built-Using)" = "$builtUsing" ] || fail "Built-Using is '$(dpkg-deb -f "$deb" Built-Using)', not '$builtUsing'"
[[ "$(dpkg-deb -f "$deb" Recommends)" == *", zenity | kdialog" ]] || fail "Recommends is '$(dpkg-deb -f "$deb" Recommends)'"
[ -z "$(dpkg-deb -f "$deb" Suggests)" ] || fail "Suggests is '$(dpkg-deb -f "$deb" Suggests)'"
check "musewheeler $version for $(dpkg --print-architecture), its Depends filled by dpkg-shlibdeps and the X libraries, Built-Using $builtUsing, Recommends zenity | kdialog"

if ! lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log" >&2
    fail "lintian reports errors or warnings"
fi
check "lintian reports no error and no warning"

desktop-file-validate "$root/usr/share/applications/musewheeler.desktop" || fail "the desktop entry is not valid"
grep -qx 'Exec=musewheeler' "$root/usr/share/applications/musewheeler.desktop" || fail "the desktop entry does not start the program"
grep -qx 'Icon=musewheeler' "$root/usr/share/applications/musewheeler.desktop" || fail "the desktop entry names another icon"
for size in 16 32 48 64 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x$size/apps/musewheeler.png"
    [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x$size" ] || fail "the $size icon is $(identify -format '%m %wx%h' "$icon")"
done
check "the desktop entry is valid and starts the program; the icons are PNGs of their sizes"

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
    zcat "$page" | head -n 1 | grep -q "^\.TH [^ ]* 1 \"$releaseDate\" " || fail "$command.1 is not dated $releaseDate: $(zcat "$page" | head -n 1)"
    zcat "$page" | grep -q 'config/musewheeler' || fail "$command.1 does not say where the settings are"
done
check "man shows both pages without a warning, dated $releaseDate, naming the user's folders"

#-------------------------------------------------------------------------------------------------------
# The same package again: every time stamp is the changelog's, and packing the build once more, its files'
# times changed meanwhile, gives the same bytes.
stamps=$(dpkg-deb --fsys-tarfile "$deb" | tar -tv --full-time | awk '{ print $4 }' | sort -u)
[ "$stamps" = "$releaseDate" ] || fail "the package's files are dated $(echo $stamps)"
if [ -n "$buildDir" ]; then
    cp "$deb" "$work/first.deb"
    find "$buildDir" -maxdepth 4 -type f \( -name Musewheeler -o -name musewheeler-sets -o -name '*.so' \) -exec touch {} +
    (cd "$buildDir" && cpack -G DEB >"$work/cpack.log" 2>&1) || fail "cpack failed again: $(tail -n 20 "$work/cpack.log")"
    cmp -s "$work/first.deb" "$deb" || fail "packing the build again gave other bytes: $(diff <(dpkg-deb -c "$work/first.deb") <(dpkg-deb -c "$deb") | head)"
    check "the package is reproducible: every file dated $releaseDate, the same bytes when packed again"
else
    check "every file of the package dated $releaseDate (no build folder given to pack again)"
fi

#-------------------------------------------------------------------------------------------------------
# Installed with apt-get, where the test runs as root and no musewheeler is installed already.
if [ "$(id -u)" != 0 ]; then
    echo "skipped: the installed package's users (not root)"
    echo "PASS ($SECONDS s)"
    exit 0
elif [[ "$(dpkg-query -W -f='${Status}' musewheeler 2>/dev/null || true)" == *"ok installed" ]]; then
    echo "skipped: the installed package's users (a musewheeler package is installed already and stays)"
    echo "PASS ($SECONDS s)"
    exit 0
fi

aptInstall()
{
    cp "$1" "$work/to-install.deb"
    chmod 644 "$work/to-install.deb"
    installedHere=yes
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends --allow-downgrades "$work/to-install.deb" \
        >"$work/apt.log" 2>&1 || fail "apt-get install $(basename "$1") failed: $(tail -n 20 "$work/apt.log")"
}

aptInstall "$deb"
[ "$(command -v musewheeler)" = /usr/bin/musewheeler ] || fail "no /usr/bin/musewheeler after apt-get install"
check "apt-get installs the package"

elsewhere="$work/some other folder"
mkdir -p "$elsewhere"
chmod 777 "$elsewhere"
startDisplay

# newHome NAME UID: a fresh home of that user; its name holds what shells treat specially.
newHome()
{
    local home="$work/home of o'neil \"$1\" \$x"
    mkdir -p "$home"
    chown "$2:$2" "$home"
    printf '%s\n' "$home"
}

# runAs UID HOME COMMAND...: the command as that user, by bare name through the PATH, from another folder,
# with nothing of this script's environment; HOME "-" leaves HOME unset. userVariables adds variables.
# runAsExec does the same in place of the shell it runs in, so that a job started with it in the background
# has the command's PID.
userVariables=()
runAsExec()
{
    local uid="$1" home="$2"
    shift 2
    local environment=(PATH=/usr/bin:/bin DISPLAY="$DISPLAY" ${userVariables[@]+"${userVariables[@]}"})
    [ "$home" = - ] || environment+=(HOME="$home")
    cd "$elsewhere"
    exec setpriv --reuid="$uid" --regid="$uid" --clear-groups env -i "${environment[@]}" "$@"
}

runAs() { (runAsExec "$@"); }

listOf() { runAs "$1" "$2" musewheeler-sets list 2>/dev/null | cut -f1 | sort -u; }
favouritesOf() { runAs "$1" "$2" musewheeler-sets list --favorites 2>/dev/null || true; }

# What a home holds, but for the folders themselves and ~/.cache: the toolkit asks gsettings for the
# desktop's theme, whose dconf keeps a cache there.
filesIn() { (cd "$1" && find . -mindepth 1 -path ./.cache -prune -o \( -type f -o -type l \) -print | sed 's|^\./||' | sort); }

# The files a user's first start leaves: the sets, their record and, but for musewheeler-sets alone, the
# settings.
expectedHome()
{
    {
        printf '%s\n' "$shipped" | sed 's|^|.local/share/musewheeler/data/|'
        echo .local/share/musewheeler/shipped-sets.txt
        if [ "${1:-}" != sets ]; then echo .config/musewheeler/Musewheeler.ini; fi
    } | sort
}

# startAs UID HOME: the program as that user; sets programPid and window.
startAs()
{
    runAsExec "$1" "$2" musewheeler >>"$work/program.log" 2>&1 &
    programPid=$!
    window=$(timeout 30 xdotool search --all --sync --onlyvisible --pid "$programPid" --name '^Musewheeler$' | head -n 1)
    [ -n "$window" ] || fail "musewheeler opened no window: $(tail -n 20 "$work/program.log")"
    # The main screen shows its advice once the frame in the set's colour is painted.
    waitUntil 100 framePainted || fail "the window shows no advice"
}

framePainted()
{
    import -window "$window" "$work/frame.png" 2>/dev/null || return 1
    local colour
    colour=$(convert "$work/frame.png" -format '%[hex:p{80,145}]' info: | cut -c1-6)
    [ "$colour" != 000000 ] && [ "$colour" != D3D3D3 ]
}

closeProgram()
{
    clickCloseButton
    waitForEnd
}

#-------------------------------------------------------------------------------------------------------
# Two new users, the program started by bare name from another folder.
userA=65534
userB=65533
homeA=$(newHome a "$userA")
homeB=$(newHome b "$userB")

startAs "$userA" "$homeA"
[ "$(readlink -f "/proc/$programPid/exe")" = /usr/bin/musewheeler ] || fail "the window is not /usr/bin/musewheeler's: $(readlink -f "/proc/$programPid/exe")"
wmClass=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/musewheeler.desktop)
windowClass=$(xprop -id "$window" WM_CLASS)
[[ "$windowClass" == *"\"$wmClass\"" ]] || fail "the window's class is not the desktop entry's $wmClass: $windowClass"
[ "$(filesIn "$homeA")" = "$(expectedHome)" ] || fail "the first start left in the home:$(printf '\n')$(filesIn "$homeA")"
for set in $shipped; do
    cmp -s "/usr/share/musewheeler/shipped/$set" "$homeA/.local/share/musewheeler/data/$set" || fail "the user's $set is not the shipped one"
done
[ -z "$(ls -A "$elsewhere")" ] || fail "the program wrote into the current folder: $(ls -A "$elsewhere")"
check "a new user's first start runs /usr/bin/musewheeler in place and puts in the home only the $shippedCount shipped sets and their record; the window's class is the desktop entry's"

shown=$(copyCurrentAdvice)
[ -n "$shown" ] || fail "no advice on the clipboard"
clickAt "$favoriteX" "$buttonsY"
favouriteOfA() { [ "$(favouritesOf "$userA" "$homeA" | cut -f2-)" = "$shown" ]; }
waitUntil 50 favouriteOfA || fail "after the star the favourites are '$(favouritesOf "$userA" "$homeA")', not '$shown'"
starred=$(favouritesOf "$userA" "$homeA")
closeProgram
[ "$(filesIn "$homeA")" = "$(expectedHome)" ] || fail "the home holds:$(printf '\n')$(filesIn "$homeA")"
check "the star marked the shown advice in the user's sets; the settings went to ~/.config/musewheeler"

startAs "$userB" "$homeB"
[ -z "$(favouritesOf "$userB" "$homeB")" ] || fail "the second user has the favourites '$(favouritesOf "$userB" "$homeB")'"
closeProgram
[ "$(filesIn "$homeB")" = "$(expectedHome)" ] || fail "the second home holds:$(printf '\n')$(filesIn "$homeB")"
[ "$(favouritesOf "$userA" "$homeA")" = "$starred" ] || fail "the first user's favourites changed"
check "a second new user gets sets of their own, without the first user's favourite"

#-------------------------------------------------------------------------------------------------------
# Homes the earlier design failed in. setsCommandsWork UID HOME: the reading commands of musewheeler-sets.
setsCommandsWork()
{
    [ "$(listOf "$1" "$2")" = "$shipped" ] || fail "musewheeler-sets list lists '$(listOf "$1" "$2")' ($3)"
    runAs "$1" "$2" musewheeler-sets draw >/dev/null 2>&1 || fail "musewheeler-sets draw failed ($3)"
    runAs "$1" "$2" musewheeler-sets search the >/dev/null 2>&1 || fail "musewheeler-sets search failed ($3)"
    runAs "$1" "$2" musewheeler-sets tags >/dev/null 2>&1 || fail "musewheeler-sets tags failed ($3)"
}

# mountHome NAME OPTIONS: a tmpfs home of the first user, in mounted (not printed: the list of mounts to
# undo at the end must be this shell's).
mountHome()
{
    mounted=$(newHome "$1" "$userA")
    mount -t tmpfs -o "$2,mode=755,uid=$userA,gid=$userA" tmpfs "$mounted"
    mounts+=("$mounted")
}

# Homes on file systems of their own need mounting, which a container may not allow.
probe="$work/mount probe"
mkdir -p "$probe"
if mount -t tmpfs -o size=4k tmpfs "$probe" 2>/dev/null; then
    umount "$probe"
    mountHome noexec noexec,size=4m
    homeNoexec="$mounted"
    startAs "$userA" "$homeNoexec"
    closeProgram
    setsCommandsWork "$userA" "$homeNoexec" "noexec home"
    [ "$(filesIn "$homeNoexec")" = "$(expectedHome)" ] || fail "the noexec home holds:$(printf '\n')$(filesIn "$homeNoexec")"
    check "in a home mounted noexec, the program and musewheeler-sets run, the sets and settings are there"

    mountHome read-only ro
    homeReadOnly="$mounted"
    : >"$work/program.log"
    startAs "$userA" "$homeReadOnly"
    grep -q "shown read-only" "$work/program.log" || fail "the program did not say why the sets are read-only: $(tail -n 5 "$work/program.log")"
    # The star says the favourite cannot be saved, in a warning of its own, as for any set that cannot be written.
    clickAt "$favoriteX" "$buttonsY"
    questionWindow >/dev/null || fail "the star in a read-only home gave no warning"
    # The warning's window may still be replaced as it settles: Return goes to whichever is up, until none is.
    warningAnswered()
    {
        local warning
        warning=$(questionWindow 1) || return 0
        xdotool key --window "$warning" Return 2>/dev/null || true
        return 1
    }
    waitUntil 50 warningAnswered || fail "the warning stayed up"
    closeProgram
    setsCommandsWork "$userA" "$homeReadOnly" "read-only home"
    [ -z "$(filesIn "$homeReadOnly")" ] || fail "something was written into the read-only home"
    check "in a read-only home the program starts with the shipped sets, says why they are read-only, its star warns that it cannot write, and musewheeler-sets list, draw, search and tags work"

    # Room for the folders but not for every set: each copy that does not fit is left out whole.
    mountHome full size=12k
    homeFull="$mounted"
    setsCommandsWork "$userA" "$homeFull" "full home"
    for set in $(cd "$homeFull/.local/share/musewheeler/data" 2>/dev/null && ls -A); do
        cmp -s "/usr/share/musewheeler/shipped/$set" "$homeFull/.local/share/musewheeler/data/$set" || fail "the full home holds a cut $set"
    done
    [ "$(ls "$homeFull/.local/share/musewheeler/data" | wc -l)" -lt "$shippedCount" ] || fail "every set fitted: the home was not full"
    startAs "$userA" "$homeFull"
    closeProgram
    check "in a full home, musewheeler-sets and the program work on the shipped sets; no set is left cut, nothing half-written stays"
else
    echo "skipped: homes mounted noexec, read-only or full (mount is not allowed here)"
fi

# A stopped copy's temporary file, from a while ago: the next start removes it.
litter="$homeB/.local/share/musewheeler/data/.$(echo "$shipped" | head -n 1).part-0123abcd"
runAs "$userB" "$homeB" sh -c 'printf half > "$1" && touch -d "1 hour ago" "$1"' sh "$litter"
setsCommandsWork "$userB" "$homeB" "litter"
[ ! -e "$litter" ] || fail "the litter of an interrupted copy stayed"
check "the temporary file of an interrupted copy is removed at the next start"

: >"$work/program.log"
startAs "$userA" -
grep -q "HOME" "$work/program.log" || fail "without HOME the program did not say why its sets are read-only"
closeProgram
noHomeLog=$(runAs "$userA" - musewheeler-sets list 2>&1 >/dev/null)
[ "$(runAs "$userA" - musewheeler-sets list 2>/dev/null | cut -f1 | sort -u)" = "$shipped" ] || fail "without HOME musewheeler-sets lists nothing"
grep -q "HOME" <<<"$noHomeLog" || fail "without HOME musewheeler-sets says '$noHomeLog'"
for made in /musewheeler /.local /.config "$elsewhere/musewheeler" "$elsewhere/.local"; do
    [ ! -e "$made" ] || fail "without HOME something was made at $made"
done
[ -z "$(ls -A "$elsewhere")" ] || fail "without HOME the current folder got $(ls -A "$elsewhere")"
check "without HOME, the program and musewheeler-sets say why ('${noHomeLog#musewheeler-sets: }'), lists the shipped sets and writes nothing"

homeSix=$(newHome six "$userA")
programPids=()
listPids=()
for i in 1 2 3; do
    runAsExec "$userA" "$homeSix" musewheeler >>"$work/program.log" 2>&1 &
    programPids+=($!)
    runAs "$userA" "$homeSix" musewheeler-sets list >"$work/six-$i.txt" 2>&1 &
    listPids+=($!)
done
extraPids=("${programPids[@]}")
threeWindows() { [ "$(xdotool search --onlyvisible --name '^Musewheeler$' 2>/dev/null | wc -l)" -ge 3 ]; }
waitUntil 300 threeWindows || fail "three programs started at once opened $(xdotool search --onlyvisible --name '^Musewheeler$' | wc -l) windows"
for i in 1 2 3; do
    wait "${listPids[$((i - 1))]}" || fail "a musewheeler-sets started at once failed: $(cat "$work/six-$i.txt")"
    [ "$(cut -f1 "$work/six-$i.txt" | sort -u)" = "$shipped" ] || fail "a musewheeler-sets started at once listed: $(cat "$work/six-$i.txt")"
done
# Ended as a session ends them; one still starting may miss that, and is killed.
for pid in "${programPids[@]}"; do kill "$pid" 2>/dev/null || true; done
allEnded() { ! kill -0 "${programPids[@]}" 2>/dev/null; }
waitUntil 100 allEnded || kill -9 "${programPids[@]}" 2>/dev/null || true
for pid in "${programPids[@]}"; do wait "$pid" 2>/dev/null || true; done
extraPids=()
[ "$(filesIn "$homeSix")" = "$(expectedHome)" ] || fail "six first starts at once left:$(printf '\n')$(filesIn "$homeSix")"
for set in $shipped; do
    cmp -s "/usr/share/musewheeler/shipped/$set" "$homeSix/.local/share/musewheeler/data/$set" || fail "six starts at once left $set other than shipped"
done
check "six first starts at once (three programs, three musewheeler-sets) all run and leave every set whole, nothing else"

#-------------------------------------------------------------------------------------------------------
# A home of the per-user copy the earlier package's launcher made (its script kept as a fixture), with a
# starred set, the user's own set, settings and a file of the user's.
homeOld=$(newHome old "$userA")
oldCopy="$homeOld/.local/share/musewheeler"
oldPackage="$work/old package"
mkdir -p "$oldPackage"
cp /usr/bin/musewheeler "$oldPackage/Musewheeler"
cp /usr/bin/musewheeler-sets "$oldPackage/musewheeler-sets"
cp -r /usr/share/musewheeler/help "$oldPackage/help"
runAs "$userA" "$homeOld" sh -c '. "$1" && updateProgramHome "$2" "$3" "$4"' sh \
    "$sourceDir/tests/fixtures/package/old-program-home.sh" "$oldPackage" /usr/share/musewheeler/shipped "$oldCopy"
firstSet=$(echo "$shipped" | head -n 1)
runAs "$userA" "$homeOld" sh -c 'sed -i "0,/Favorite=false;/s//Favorite=true;/" "$1/data/$2" &&
    printf "MusewheelerV1 - Set file\n\nName=Mine;\n" > "$1/data/mine.mwh" && printf "my notes" > "$1/notes.txt"' \
    sh "$oldCopy" "$firstSet"
cp "$homeA/.config/musewheeler/Musewheeler.ini" "$work/settings.ini"
install -o "$userA" -g "$userA" -m 644 "$work/settings.ini" "$oldCopy/Musewheeler.ini"
oldFavourites=$(favouritesOf "$userA" "$homeOld")
[ -n "$oldFavourites" ] || fail "the old copy's starred set shows no favourite"
[ ! -e "$oldCopy/Musewheeler" ] || fail "musewheeler-sets left the old copy's program"
[ ! -e "$oldCopy/musewheeler-sets" ] && [ ! -e "$oldCopy/help" ] || fail "the old copy's musewheeler-sets or help stayed"
cmp -s "$work/settings.ini" "$homeOld/.config/musewheeler/Musewheeler.ini" || fail "the old copy's settings were not taken over"
[ -f "$oldCopy/data/mine.mwh" ] && [ "$(cat "$oldCopy/notes.txt")" = "my notes" ] || fail "the user's own files went"
startAs "$userA" "$homeOld"
closeProgram
[ "$(favouritesOf "$userA" "$homeOld")" = "$oldFavourites" ] || fail "the old copy's favourite went"
[ -z "$(find "$homeOld" -type f -perm /111)" ] || fail "executables stayed in the home: $(find "$homeOld" -type f -perm /111)"
check "a home of the earlier package's per-user copy is taken over: sets, favourite and settings kept, its programs and help removed, the user's files left"

#-------------------------------------------------------------------------------------------------------
# An upgrade to a package whose program and one shipped set changed, the user having starred another set,
# then the downgrade back: the program is dpkg's, the unedited set follows, the edited one stays.
unchanged=$(for set in $shipped; do
    if cmp -s "/usr/share/musewheeler/shipped/$set" "$homeA/.local/share/musewheeler/data/$set"; then echo "$set"; fi
done)
[ "$(echo "$unchanged" | wc -l)" -ge 2 ] || fail "fewer than two sets of the first user are as shipped"
changedSet=$(echo "$unchanged" | sed -n 1p)
editedSet=$(echo "$unchanged" | sed -n 2p)
cp "$homeA/.local/share/musewheeler/data/$changedSet" "$work/changed-before.mwh"
runAs "$userA" "$homeA" sh -c 'sed -i "0,/Favorite=false;/s//Favorite=true;/" "$1"' sh "$homeA/.local/share/musewheeler/data/$editedSet"
cp "$homeA/.local/share/musewheeler/data/$editedSet" "$work/edited.mwh"

upgraded="$work/musewheeler_$version.1_$(dpkg --print-architecture).deb"
tree="$work/upgraded tree"
dpkg-deb -R "$deb" "$tree"
sed -i "s/^Version: .*/Version: $version.1/" "$tree/DEBIAN/control"
printf 'Item=Play the chorus once more, slower.;\nFavorite=false;\nTags=0,;\n\n' >> "$tree/usr/share/musewheeler/shipped/$changedSet"
printf 'newer build' >> "$tree/usr/bin/musewheeler-sets"
printf 'newer build' >> "$tree/usr/bin/musewheeler"
(cd "$tree" && find usr -type f -exec md5sum {} + > DEBIAN/md5sums)
dpkg-deb --root-owner-group --build "$tree" "$upgraded" >/dev/null

aptInstall "$upgraded"
[ "$(dpkg-query -W -f='${Version}' musewheeler)" = "$version.1" ] || fail "dpkg has $(dpkg-query -W -f='${Version}' musewheeler) after the upgrade"
startAs "$userA" "$homeA"
cmp -s "/proc/$programPid/exe" "$tree/usr/bin/musewheeler" || fail "after the upgrade the window is not the upgraded program's"
closeProgram
cmp -s "$tree/usr/share/musewheeler/shipped/$changedSet" "$homeA/.local/share/musewheeler/data/$changedSet" || fail "the upgrade did not bring the changed $changedSet"
cmp -s "$work/edited.mwh" "$homeA/.local/share/musewheeler/data/$editedSet" || fail "the upgrade changed the edited $editedSet"
[ "$(filesIn "$homeA")" = "$(expectedHome)" ] || fail "after the upgrade the home holds:$(printf '\n')$(filesIn "$homeA")"
check "after an upgrade the user runs the new program; the shipped set they never changed is the new one, the one they starred stays theirs"

aptInstall "$deb"
[ "$(dpkg-query -W -f='${Version}' musewheeler)" = "$version" ] || fail "dpkg has $(dpkg-query -W -f='${Version}' musewheeler) after the downgrade"
[ "$(runAs "$userA" "$homeA" musewheeler-sets list | cut -f1 | sort -u)" = "$shipped" ] || fail "after the downgrade musewheeler-sets lists other sets"
cmp -s "$root/usr/bin/musewheeler-sets" /usr/bin/musewheeler-sets || fail "after the downgrade /usr/bin/musewheeler-sets is not the package's"
cmp -s "$work/changed-before.mwh" "$homeA/.local/share/musewheeler/data/$changedSet" || fail "the downgrade did not bring $changedSet back"
cmp -s "$work/edited.mwh" "$homeA/.local/share/musewheeler/data/$editedSet" || fail "the downgrade changed the edited $editedSet"
check "after the downgrade back the user runs the older program and its $changedSet again, their starred set untouched"

#-------------------------------------------------------------------------------------------------------
# The LV2 plugin in jalv for a user who never started the program: its first load makes the user's
# folder from the shared sets, and the star writes the favourite there, never under /usr.
if [ -n "$lv2Uri" ]; then
    homeC=$(newHome plugin "$userB")
    userVariables=(JACK_DEFAULT_SERVER="musewheeler-deb-$$" JACK_NO_AUDIO_RESERVATION=1)
    runAsExec "$userB" "$homeC" jackd -r -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
    extraPids=($!)
    jackUp() { runAs "$userB" "$homeC" jack_lsp >/dev/null 2>&1; }
    waitUntil 100 jackUp || fail "the JACK server did not start: $(cat "$work/jackd.log")"
    runAsExec "$userB" "$homeC" jalv.gtk3 "$lv2Uri" >"$work/jalv.log" 2>&1 &
    programPid=$!
    extraPids+=("$programPid")
    jalvWindow=$(timeout 30 xdotool search --all --sync --onlyvisible --pid "$programPid" --name '^Musewheeler$' | head -n 1)
    [ -n "$jalvWindow" ] || fail "jalv shows no Musewheeler window: $(tail -n 20 "$work/jalv.log")"
    # jalv and GTK keep files of their own in the home; of Musewheeler only the user's sets are there.
    [ "$(filesIn "$homeC" | grep -i musewheeler)" = "$(expectedHome sets)" ] \
        || fail "the plugin's first load left in the home:$(printf '\n')$(filesIn "$homeC")"
    # The editor is the main screen (500 x 350, a pixel wider as it makes the host lay it out again),
    # embedded in jalv's window, the innermost window of that size: its star, from the editor's own window.
    editor=$(xwininfo -tree -id "$jalvWindow" | awk '/ 50[01]x350\+/ { id = $1 } END { print id }')
    [ -n "$editor" ] || fail "no editor of 500 x 350 in jalv's window: $(xwininfo -tree -id "$jalvWindow")"
    pluginFavourite() { [ -n "$(favouritesOf "$userB" "$homeC")" ]; }
    window="$editor"
    waitUntil 100 framePainted || fail "the plugin's editor shows no advice"
    xdotool mousemove --window "$editor" "$favoriteX" "$buttonsY" click 1
    waitUntil 50 pluginFavourite || fail "the plugin's star wrote no favourite into the user's sets"
    for pid in "${extraPids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
    extraPids=()
    programPid=""
    userVariables=()
    packaged=$(dpkg -L musewheeler | grep -E '^/usr/(lib/lv2/Musewheeler.lv2|share/musewheeler)/' | while read -r path; do
        if [ -f "$path" ]; then echo "$path"; fi
    done | sort)
    [ "$(find /usr/lib/lv2/Musewheeler.lv2 /usr/share/musewheeler -type f | sort)" = "$packaged" ] || fail "the plugin made files under /usr"
    [ -z "$(find /usr/lib/lv2/Musewheeler.lv2 /usr/share/musewheeler -type f -newer "$work/to-install.deb")" ] || fail "the plugin wrote under /usr"
    check "a new user's first plugin load in jalv makes their folder, and its star writes the favourite there"
fi

#-------------------------------------------------------------------------------------------------------
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q musewheeler >"$work/apt.log" 2>&1 \
    || fail "apt-get remove failed: $(tail -n 20 "$work/apt.log")"
installedHere=""
for gone in /usr/bin/musewheeler /usr/bin/musewheeler-sets /usr/share/musewheeler /usr/lib/lv2/Musewheeler.lv2 \
            /usr/lib/vst3/Musewheeler.vst3 /usr/share/applications/musewheeler.desktop; do
    [ ! -e "$gone" ] || fail "apt-get remove left $gone"
done
for home in "$homeA" "$homeB"; do
    [ "$(filesIn "$home")" = "$(expectedHome)" ] || fail "after apt-get remove $home holds:$(printf '\n')$(filesIn "$home")"
done
leftExecutables=$(find "$work" -mindepth 1 -maxdepth 1 -name 'home of*' -exec find {} -type f -perm /111 \;)
[ -z "$leftExecutables" ] || fail "executables are left in the homes: $leftExecutables"
[ "$(find "$work" -mindepth 1 -maxdepth 1 -name 'home of*' | wc -l)" -ge 5 ] || fail "fewer homes than made were looked at"
check "apt-get remove takes the programs and leaves each user's sets and settings, and no executable in any home"

echo "PASS ($SECONDS s)"
