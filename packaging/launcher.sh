#!/bin/sh
# /usr/bin/musewheeler and /usr/bin/musewheeler-sets. The program keeps its sets and settings beside itself
# and /usr/lib is read-only, so each user runs a copy in a program folder of their own
# (${XDG_DATA_HOME:-~/.local/share}/musewheeler): it is brought up to the installed package's program on
# every start, the shipped sets the user does not have are added, and the user's own are left alone.
set -eu

# The package's folder is found from this script's place, so that an unpacked package runs as well.
packaged=$(readlink -f "$(dirname "$(readlink -f "$0")")/../lib/musewheeler")

. "$packaged/program-home.sh"

programHome=$(programHomeFolder)
updateProgramHome "$packaged" "$packaged/data" "$programHome"

# By its absolute path: started by a bare name, the toolkit would take the current folder for the
# program's and keep the sets and settings there.
case "${0##*/}" in
    musewheeler-sets) exec "$programHome/musewheeler-sets" "$@" ;;
    *) exec "$programHome/Musewheeler" "$@" ;;
esac
