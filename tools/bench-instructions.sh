#!/bin/sh
# Instruction counts (valgrind's callgrind) of one full set read against one bare whole-file load, for
# each generated size: unlike times, they do not depend on what else the machine is doing.
set -eu
bench="${1:-build-release/bench/MusewheelerBench}"
out="$(mktemp -d)"
printf '| advice | loadFileAsString (instructions) | loadData(2) (instructions) | ratio |\n|---:|---:|---:|---:|\n'

for size in 1000 10000 100000; do
    valgrind --tool=callgrind --callgrind-out-file="$out/cg" \
        "$bench" --benchmark_filter="(BM_LoadDataFull|BM_LoadFileAsString)/$size\$" --benchmark_min_time=0.000001 \
        >/dev/null 2>&1
    line() { callgrind_annotate --inclusive=yes --tree=caller "$out/cg" 2>/dev/null | grep -E "^ *[0-9,]+ .*\\*  .*$1" | head -1; }
    calls() { callgrind_annotate --inclusive=yes --tree=caller "$out/cg" 2>/dev/null | grep -B1 -E "\\*  .*$1" | grep -oE '\(([0-9]+)x\)' | head -1 | tr -dc 0-9; }
    bare=$(line 'juce::File::loadFileAsString\(\) const' | awk '{gsub(",","",$1); print $1}')
    bareCalls=$(calls 'juce::File::loadFileAsString\(\) const')
    full=$(line 'SetConseils::loadData\(int\)' | awk '{gsub(",","",$1); print $1}')
    fullCalls=$(calls 'SetConseils::loadData\(int\)')
    awk -v s="$size" -v b="$bare" -v bc="$bareCalls" -v f="$full" -v fc="$fullCalls" \
        'BEGIN { pb = b / bc; pf = f / fc; printf "| %d | %.0f | %.0f | %.2f |\n", s, pb, pf, pf / pb }'
done

rm -rf "$out"
