#!/bin/sh
# Installs the built program for the current user, without root, or removes it again.
#   install.sh install PROGRAM_FOLDER SOURCE_DIR [PLUGIN_FOLDER]
#   install.sh uninstall
# The same layout as the Debian package, under ~/.local: the programs in ~/.local/lib/musewheeler, run in
# place through links in ~/.local/bin; their help and the shipped sets in ~/.local/share/musewheeler/help
# and .../shipped. The program makes the user's sets in ~/.local/share/musewheeler/data (or
# $XDG_DATA_HOME/musewheeler/data) from the shipped ones and keeps its settings in ~/.config/musewheeler:
# the shipped sets sit beside the user's own in the same folder without mixing, and belong to the
# installation (replaced by the next install, removed by uninstall) while data/ is the user's.
# PROGRAM_FOLDER holds the built Musewheeler with its help/ and musewheeler.png, and musewheeler-sets.
# PLUGIN_FOLDER, when given, holds the built plugins' bundles, VST3/Musewheeler.vst3 and LV2/Musewheeler.lv2;
# those there go into ~/.vst3 and ~/.lv2, where hosts look for a user's plugins, without the sets and help
# a build puts inside them: installed, the plugins use the same folders as the program.
set -eu

prefix="$HOME/.local"
libDir="$prefix/lib/musewheeler"
shared="$prefix/share/musewheeler"
case "${XDG_DATA_HOME:-}" in
    /*) dataHome="$XDG_DATA_HOME" ;;
    *) dataHome="$HOME/.local/share" ;;
esac
binDir="${MUSEWHEELER_BIN_DIR:-$prefix/bin}"
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

# replaceWith BUILT INSTALLED: INSTALLED becomes a copy of the file or folder BUILT, copied beside and moved
# over, so that a program or host starting meanwhile finds the old one or the new one, never half of one.
replaceWith()
{
    mkdir -p "$(dirname "$2")"
    rm -rf "$2.new.$$" "$2.old.$$"
    cp -R "$1" "$2.new.$$"
    if [ -e "$2" ] || [ -L "$2" ]; then mv "$2" "$2.old.$$"; fi
    mv "$2.new.$$" "$2"
    rm -rf "$2.old.$$"
}

# installBundle BUILT INSTALLED: the bundle without what a build or a run from the build folder put in it.
installBundle()
{
    replaceWith "$1" "$2"
    rm -rf "$2/data" "$2/help" "$2/Musewheeler.ini" "$2/shipped-sets.txt" \
           "$2/Contents/Resources/data" "$2/Contents/Resources/help" "$2/Contents/Resources/Musewheeler.ini" \
           "$2/Contents/Resources/shipped-sets.txt"
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

    mkdir -p "$libDir" "$shared" "$binDir" "$(dirname "$desktopEntry")" "$(dirname "$icon")"

    # The build is installed even when older than the installed program: asking for it is the point.
    replaceWith "$programFolder/Musewheeler" "$libDir/Musewheeler"
    replaceWith "$programFolder/musewheeler-sets" "$libDir/musewheeler-sets"
    replaceWith "$programFolder/help" "$shared/help"
    rm -rf "$shared/shipped.new.$$"
    mkdir -p "$shared/shipped.new.$$"
    cp "$sourceDir"/data/*.mwh "$shared/shipped.new.$$/"
    rm -rf "$shared/shipped"
    mv "$shared/shipped.new.$$" "$shared/shipped"

    # Links, not copies nor scripts: the program finds the installation from its own real path.
    ln -sfn "$libDir/Musewheeler" "$launcher"
    ln -sfn "$libDir/musewheeler-sets" "$setsLauncher"

    cp "$programFolder/musewheeler.png" "$icon"

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

    echo "Installed Musewheeler in $libDir, its help and shipped sets in $shared"
    echo "Start it with: $launcher (or from the applications menu); its sets in the terminal: $setsLauncher --help"

    case ":$PATH:" in
        *":$binDir:"*) ;;
        *) echo "Note: $binDir is not on your PATH yet." ;;
    esac
}

uninstall_program()
{
    rm -f "$launcher" "$setsLauncher" "$desktopEntry" "$icon"
    rm -rf "$libDir" "$shared/help" "$shared/shipped" "$vst3Bundle" "$lv2Bundle"
    # The programs an older install kept beside the user's sets, with what a copy cut short left behind.
    rm -rf "$shared/Musewheeler" "$shared/musewheeler-sets" "$shared"/Musewheeler.new.* \
           "$shared"/musewheeler-sets.new.* "$shared"/help.new.* "$shared"/shipped.new.*

    # The sets and the settings are the user's: they stay, and so do the folders that hold them.
    rmdir "$prefix/lib" "$shared" "$HOME/.vst3" "$HOME/.lv2" 2>/dev/null || true

    if [ -d "$dataHome/musewheeler" ]; then
        echo "Removed Musewheeler; your sets and settings stay in $dataHome/musewheeler and the settings folder"
    else
        echo "Removed Musewheeler"
    fi
}

case "${1:-}" in
    install) install_program "$2" "$3" "${4:-}" ;;
    uninstall) uninstall_program ;;
    *) echo "Usage: $0 install PROGRAM_FOLDER SOURCE_DIR [PLUGIN_FOLDER] | $0 uninstall" >&2; exit 2 ;;
esac
