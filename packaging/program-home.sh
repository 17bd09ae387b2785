# The user's program folder, shared by `make install` (packaging/install.sh) and the Debian package's launchers.
# Sourced by /bin/sh scripts; it defines functions only.
#
# The program keeps its sets (data/) and its settings (Musewheeler.ini) beside itself and finds that folder
# from its own path, so every user runs a copy of the program from a folder of their own:
# ${XDG_DATA_HOME:-~/.local/share}/musewheeler, or MUSEWHEELER_HOME.

# A relative XDG_DATA_HOME is ignored, as the XDG base directory rules ask.
dataHomeFolder()
{
    case "${XDG_DATA_HOME:-}" in
        /*) printf '%s\n' "$XDG_DATA_HOME" ;;
        *) printf '%s\n' "$HOME/.local/share" ;;
    esac
}

programHomeFolder()
{
    printf '%s\n' "${MUSEWHEELER_HOME:-$(dataHomeFolder)/musewheeler}"
}

# copyReplacing SOURCE DESTINATION: DESTINATION becomes a copy of SOURCE with its modification time, written
# beside and moved over, so that a running copy keeps its own file and two launchers started at once never
# write into the same file.
copyReplacing()
{
    cp --preserve=mode,timestamps "$1" "$2.new.$$"
    mv -f "$2.new.$$" "$2"
}

# programIsCurrent FROM HOME: HOME holds the program, its help and musewheeler-sets, none older than FROM's.
programIsCurrent()
{
    for executable in Musewheeler musewheeler-sets; do
        [ -f "$2/$executable" ] || return 1
        [ -z "$(find "$1/$executable" -newer "$2/$executable")" ] || return 1
    done
    [ -d "$2/help" ]
}

# updateProgramHome FROM SETS HOME [always]: puts the program of the folder FROM (Musewheeler,
# musewheeler-sets, help/) into HOME when HOME has none or an older one, or always when asked, and adds the
# sets of the folder SETS that HOME/data does not hold. The user's sets, changed or their own, and
# Musewheeler.ini are never touched.
updateProgramHome()
{
    from="$1"
    sets="$2"
    home="$3"

    mkdir -p "$home/data"

    if [ "${4:-}" = always ] || ! programIsCurrent "$from" "$home"; then
        # The help before the programs: a copy cut short between them leaves the programs older, so the next
        # start copies again.
        rm -rf "$home/help.new.$$"
        cp -R --preserve=mode,timestamps "$from/help" "$home/help.new.$$"
        rm -rf "$home/help"
        # Another launcher may have put its copy in place meanwhile; that one is as good.
        mv -T "$home/help.new.$$" "$home/help" 2>/dev/null || rm -rf "$home/help.new.$$"

        copyReplacing "$from/musewheeler-sets" "$home/musewheeler-sets"
        copyReplacing "$from/Musewheeler" "$home/Musewheeler"
    fi

    for set in "$sets"/*.mwh; do
        [ -e "$set" ] || continue
        [ -e "$home/data/${set##*/}" ] || cp "$set" "$home/data/"
    done
}
