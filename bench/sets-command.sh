#!/bin/bash
# musewheeler-sets against fortune on the same 100,000 advice: draw against fortune, search against
# fortune -m, check against strfile, each run as a process; the median wall time and the largest resident
# memory of RUNS runs. The set is written as the program writes it (UTF-16 with CR LF, texts of about 90
# characters with accents, three tags each); the fortune file holds the same texts.
# Usage: sets-command.sh MUSEWHEELER_SETS [NUM_ADVICE] [RUNS]
set -euo pipefail
command="$1"
numAdvice="${2:-100000}"
runs="${3:-7}"

fortune=$(command -v fortune || echo /usr/games/fortune)
work=$(mktemp -d /tmp/musewheeler-sets-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data"
# check keeps the fonts' widths in the user's cache: the benchmark's own, made at its first run.
unset MUSEWHEELER_HOME
export XDG_CACHE_HOME="$work/cache"

# Random words in the manner of the advice; awk's generator is seeded, so every run measures the same set.
awk -v n="$numAdvice" 'BEGIN {
    srand(42)
    split("Écrire une mélodie sur trois notes puis la renverser Try the chorus first and record a take " \
          "with only two chords à l envers répéter slower quieter bass drums voice silence rhythm écoute " \
          "structure ending pont refrain verse pad noise", words, " ")
    nw = length(words)
    printf "MusewheelerV1 - Set file\r\n\r\nName=Generated;\r\nDescription=Generated for the benchmarks;\r\n"
    printf "Author=Bench;\r\nLanguage=1;\r\nColour=10,20,30;\r\n\r\n"
    for (i = 0; i < n; ++i) {
        text = ""
        while (length(text) < 90) text = text words[int(rand() * nw) + 1] " "
        printf "Item=%s%d.;\r\nFavorite=%s;\r\nTags=%d,%d,%d,;\r\n\r\n", text, i, (rand() < 0.1 ? "true" : "false"),
               int(rand() * 3), 100 + int(rand() * 6), 400 + int(rand() * 18)
    }
}' | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$work/data/generated.mwh"

# Set files changed within the last seconds are read again on every command (a file system's clock may not
# tell a second change from the first); the set is dated as one written earlier.
touch -d '1 hour ago' "$work/data/generated.mwh"
"$command" export --format fortune --data "$work/data" >"$work/advice" 2>/dev/null
strfile -s "$work/advice" >/dev/null

# The median seconds and the largest resident kilobytes of the command's runs.
measure()
{
    local times=() memory=0 start end kilobytes
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        /usr/bin/time -f "%M" -o "$work/time" "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        kilobytes=$(tail -n 1 "$work/time")
        times+=("$(((end - start) / 1000))")
        [ "$kilobytes" -le "$memory" ] || memory=$kilobytes
    done
    printf '%s %s\n' "$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")" "$memory"
}

row()
{
    local what="$1" theirs="$2" ours="$3"
    read -r theirTime theirMemory <<<"$theirs"
    read -r ourTime ourMemory <<<"$ours"
    awk -v w="$what" -v tt="$theirTime" -v tm="$theirMemory" -v ot="$ourTime" -v om="$ourMemory" 'BEGIN {
        printf "| %s | %.1f ms, %.1f MB | %.1f ms, %.1f MB | %.1f ×, %.1f × |\n", w, tt / 1000, tm / 1024, ot / 1000, om / 1024,
               (tt > 0 ? ot / tt : 0), om / tm }'
}

word="silence"
echo "$numAdvice advice, $(du -h "$work/data/generated.mwh" | cut -f1) set file, median wall time and largest resident memory of $runs runs (the timer adds about 1 ms)"
echo "| musewheeler-sets against | theirs | ours | ratio (time, memory) |"
echo "|---|---:|---:|---:|"
# The first run after a change of the sets builds what later runs use.
row "draw (first run) / fortune" "$(measure "$fortune" "$work/advice")" \
    "$(runs=1 measure "$command" draw --data "$work/data")"
row "draw / fortune" "$(measure "$fortune" "$work/advice")" "$(measure "$command" draw --data "$work/data")"
row "draw --daily / fortune" "$(measure "$fortune" "$work/advice")" \
    "$(measure "$command" draw --daily --data "$work/data")"
row "search / fortune -m" "$(measure "$fortune" -m "$word" "$work/advice")" \
    "$(measure "$command" search "$word" --data "$work/data")"
# The first check measures the fonts and records their widths, which later ones read.
row "check (first run) / strfile" "$(measure strfile "$work/advice" "$work/advice.dat")" \
    "$(runs=1 measure "$command" check "$work/data/generated.mwh")"
row "check / strfile" "$(measure strfile "$work/advice" "$work/advice.dat")" \
    "$(measure "$command" check "$work/data/generated.mwh")"
