#!/bin/sh
# Installs the built program for the current user, without root, or removes it again.
#   install.sh install PROGRAM_FOLDER SOURCE_DIR [PLUGIN_FOLDER]
#   install.sh uninstall
# PROGRAM_FOLDER holds the built Musewheeler with its help/ and musewheeler.png, and the musewheeler-sets
# command. The program keeps its sets (data/) and its settings (Musewheeler.ini) beside itself, so it is
# installed as one folder the user owns, the command beside it so that it finds the same sets; a launcher
# for each goes on the user's PATH and a desktop entry into the applications menu.
# PLUGIN_FOLDER, when given, holds the built plugins' bundles, VST3/Musewheeler.vst3 and LV2/Musewheeler.lv2;
# those there go into ~/.vst3 and ~/.lv2, where hosts look for a user's plugins.
# The places follow the XDG variables; MUSEWHEELER_HOME overrides the program's folder.
set -eu

. "$(dirname "$0")/program-home.sh"

dataHome=$(dataHomeFolder)
programHome=$(programHomeFolder)
binDir="${MUSEWHEELER_BIN_DIR:-$HOME/.local/bin}"
launcher="$binDir/musewheeler"
setsLauncher="$binDir/musewheeler-sets"
desktopEntry="$dataHome/applications/musewheeler.desktop"
icon="$dataHome/icons/hicolor/256x256/apps/musewheeler.png"
vst3Bundle="$HOME/.vst3/Musewheeler.vst3"
lv2Bundle="$HOME/.lv2/Musewheeler.lv2"

# The path as one word of a desktop entry's Exec line: in double quotes, with the four characters that
# stay special there escaped, and every backslash doubled once more for the file's string syntax.
desktopExecWord()
{
    printf '"%s"' "$(printf '%s' "$1" | sed -e 's/\\/\\\\\\\\/g' -e 's/"/\\\\"/g' -e 's/`/\\\\`/g' -e 's/\$/\\\\$/g')"
}

# The path quoted for /bin/sh.
shellWord()
{
    printf "'%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"
}

writeLauncher()
{
    {
        printf '%s\n' '#!/bin/sh'
        # printf, not echo: dash's echo would take backslashes in the path as escapes.
        printf 'exec %s "$@"\n' "$(shellWord "$2")"
    } > "$1"
    chmod 755 "$1"
}

# installBundle BUILT INSTALLED: INSTALLED becomes a copy of the bundle BUILT, copied beside and moved over so
# that a host scanning meanwhile sees the old bundle or the new one. The settings file a run from the build
# folder may have left in it stays behind.
installBundle()
{
    mkdir -p "$(dirname "$2")"
    rm -rf "$2.new.$$" "$2.old.$$"
    cp -R "$1" "$2.new.$$"
    rm -f "$2.new.$$/Musewheeler.ini" "$2.new.$$/Contents/Resources/Musewheeler.ini"
    if [ -e "$2" ]; then mv "$2" "$2.old.$$"; fi
    mv "$2.new.$$" "$2"
    rm -rf "$2.old.$$"
}

install_plugins()
{
    pluginFolder="$1"
    installed=""
    if [ -d "$pluginFolder/VST3/Musewheeler.vst3" ]; then
        installBundle "$pluginFolder/VST3/Musewheeler.vst3" "$vst3Bundle"
        installed="$installed $vst3Bundle"
    fi
    if [ -d "$pluginFolder/LV2/Musewheeler.lv2" ]; then
        installBundle "$pluginFolder/LV2/Musewheeler.lv2" "$lv2Bundle"
        installed="$installed $lv2Bundle"
    fi
    if [ -n "$installed" ]; then
        echo "Installed the plugins:$installed"
    else
        echo "No plugin built in $pluginFolder: the plugins are not installed."
    fi
}

install_program()
{
    programFolder="$1"
    sourceDir="$2"

    for needed in Musewheeler musewheeler-sets help musewheeler.png; do
        [ -e "$programFolder/$needed" ] || { echo "Missing $programFolder/$needed: build the program first." >&2; exit 1; }
    done

    mkdir -p "$binDir" "$(dirname "$desktopEntry")" "$(dirname "$icon")"

    # The build is installed even when older than the installed program: asking for it is the point.
    # Shipped sets are added only where missing: the user's favourites and edits stay.
    updateProgramHome "$programFolder" "$sourceDir/data" "$programHome" always

    cp "$programFolder/musewheeler.png" "$icon"

    # The launchers run the executables by their absolute paths, so that each finds the sets beside it.
    writeLauncher "$launcher" "$programHome/Musewheeler"
    writeLauncher "$setsLauncher" "$programHome/musewheeler-sets"

    # The package's desktop entry, starting the launcher by its path (the desktop session's PATH may lack
    # ~/.local/bin) and naming the icon's file.
    while IFS= read -r line; do
        case "$line" in
            Exec=*) printf 'Exec=%s\n' "$(desktopExecWord "$launcher")" ;;
            Icon=*) printf 'Icon=%s\n' "$icon" ;;
            *) printf '%s\n' "$line" ;;
        esac
    done < "$sourceDir/packaging/musewheeler.desktop" > "$desktopEntry"

    if [ -n "${3:-}" ]; then install_plugins "$3"; fi

    echo "Installed Musewheeler in $programHome"
    echo "Start it with: $launcher (or from the applications menu); its sets in the terminal: $setsLauncher --help"

    case ":$PATH:" in
        *":$binDir:"*) ;;
        *) echo "Note: $binDir is not on your PATH yet." ;;
    esac
}

uninstall_program()
{
    rm -f "$programHome/Musewheeler" "$programHome/musewheeler-sets" "$launcher" "$setsLauncher" "$desktopEntry" \
          "$icon"
    # With what a copy cut short left behind.
    rm -rf "$programHome/help" "$vst3Bundle" "$lv2Bundle" "$programHome"/Musewheeler.new.* "$programHome"/musewheeler-sets.new.* \
           "$programHome"/help.new.*

    # The sets and the settings are the user's: they stay, and so does the folder that holds them.
    rmdir "$programHome/data" 2>/dev/null || true
    rmdir "$programHome" "$HOME/.vst3" "$HOME/.lv2" 2>/dev/null || true

    if [ -d "$programHome" ]; then
        echo "Removed Musewheeler; your sets and settings stay in $programHome"
    else
        echo "Removed Musewheeler"
    fi
}

case "${1:-}" in
    install) install_program "$2" "$3" "${4:-}" ;;
    uninstall) uninstall_program ;;
    *) echo "Usage: $0 install PROGRAM_FOLDER SOURCE_DIR [PLUGIN_FOLDER] | $0 uninstall" >&2; exit 2 ;;
esac
