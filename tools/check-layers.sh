#!/usr/bin/env bash
# Lists every include of the program's sources that runs up the layers, and fails when there is one.
# The folders of src/, from the bottom up; a file may include from its own folder and from the folders
# below it. The three products at the top (the program's shell, musewheeler-sets, the plugin) include
# from every layer but never from one another.
#   tools/check-layers.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}/src"

declare -A rank=([base]=0 [advice]=1 [settings]=2 [widgets]=3 [dialogs]=4 [options]=5 [editor]=6 [main]=7
                 [app]=8 [cli]=8 [plugin]=8)

violations=0
while IFS= read -r file; do
    folder=${file%%/*}
    [[ -n ${rank[$folder]+set} ]] || { echo "$file: folder '$folder' has no place among the layers"; violations=$((violations + 1)); continue; }
    while IFS= read -r included; do
        target=${included%%/*}
        [[ $included == */* ]] || continue # generated headers and same-folder names
        [[ $target == "$folder" ]] && continue
        if [[ -z ${rank[$target]+set} ]] || (( rank[$target] >= rank[$folder] )); then
            echo "$file includes $included"
            violations=$((violations + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

echo "$violations include(s) running up the layers"
(( violations == 0 ))
