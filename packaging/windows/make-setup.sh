#!/bin/bash
# make-setup.sh STAGE VERSION OUTFILE: compiles Musewheeler.nsi into the setup OUTFILE from STAGE, a folder
# laid out as the installation (Musewheeler.exe, musewheeler-sets.exe, help\, shipped\ and, with the plugin,
# Musewheeler.vst3\), with setup.ico beside them for the setup's own windows, with makensis or the one
# MAKENSIS names. The build's windows-setup target and the installer's test both make setups this way.
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 STAGE VERSION OUTFILE" >&2
    exit 2
fi

stage=$(cd "$1" && pwd)
version=$2
outfile=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
defines=("-DSTAGE=$stage" "-DVERSION=$version" "-DOUTFILE=$outfile")

if [ -d "$stage/Musewheeler.vst3" ]; then
    defines+=(-DVST3)
fi
if [ -f "$stage/setup.ico" ]; then
    defines+=("-DICON=$stage/setup.ico")
fi

# The 64-bit stub: the 32-bit one would need 32-bit Wine to be tried here. Warnings are errors, so that a
# text missing in one language or a file left out fails the build.
exec "${MAKENSIS:-makensis}" -V2 -WX -INPUTCHARSET UTF8 "-XTarget amd64-unicode" "${defines[@]}" \
    "$(dirname "$0")/Musewheeler.nsi"
