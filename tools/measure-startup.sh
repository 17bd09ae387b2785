#!/bin/bash
# Measures the program's start-up against the empty window program built beside it (`make startup`): on a
# bare Xvfb of its own (plain black root, no window manager), StartupProbe starts each program from a
# temporary folder of its own, the program with the shipped sets and the help beside it, and times it from
# start to its first painted frame; two seconds later it reads the program's resident memory.
# One warm-up run of each (reported apart), then RUNS runs of each, in alternating order.
# Usage: measure-startup.sh RELEASE_DIR SOURCE_DIR [RUNS]
set -euo pipefail

fail()
{
    echo "measure-startup: $*" >&2
    exit 1
}

[ $# -ge 2 ] || fail "usage: measure-startup.sh RELEASE_DIR SOURCE_DIR [RUNS]"

releaseDir="$(cd "$1" && pwd)"
sourceDir="$(cd "$2" && pwd)"
runs="${3:-15}"
settleMs=2000

[[ "$runs" =~ ^[1-9][0-9]*$ ]] || fail "RUNS must be a positive number, not '$runs'"

probe="$releaseDir/startup/StartupProbe"
program="$releaseDir/Musewheeler_artefacts/Release/Musewheeler"
empty="$releaseDir/EmptyWindow_artefacts/Release/EmptyWindow"

for file in "$probe" "$program" "$empty"; do
    [ -x "$file" ] || fail "$file is missing: build the Release tree with -DMUSEWHEELER_STARTUP=ON"
done

source "$sourceDir/tests/e2e/lib/display.sh"

work="$(mktemp -d /tmp/musewheeler-startup.XXXXXX)"

cleanup()
{
    stopDisplay
    rm -rf "$work"
}

trap cleanup EXIT
trap 'exit 130' INT TERM

# Each program in a folder of its own, as it is installed: the program reads data/ and help/ beside itself.
mkdir -p "$work/musewheeler/data" "$work/empty"
cp "$program" "$work/musewheeler/"
cp "$sourceDir"/data/*.mwh "$work/musewheeler/data/"
cp -r "$sourceDir/help" "$work/musewheeler/help"
cp "$empty" "$work/empty/"

# -br: a black root, so that a window nobody has drawn into yet is uniformly black.
displayNumbers="61 62 63 64"
xvfbOptions=(-br)
startDisplay bare

# measure NAME: one probe run of that program, its key=value line appended to NAME.txt.
measure()
{
    local name="$1" executable

    case "$name" in
        musewheeler) executable="$work/musewheeler/Musewheeler" ;;
        empty) executable="$work/empty/EmptyWindow" ;;
    esac

    "$probe" --settle "$settleMs" --folder "$work/$name" "$executable" >>"$work/$name.txt" ||
        fail "the probe failed on $executable"
}

measure musewheeler
measure empty
mv "$work/musewheeler.txt" "$work/musewheeler-warmup.txt"
mv "$work/empty.txt" "$work/empty-warmup.txt"

for round in $(seq "$runs"); do
    if [ $((round % 2)) -eq 1 ]; then
        measure musewheeler
        measure empty
    else
        measure empty
        measure musewheeler
    fi
done

# values NAME KEY: the KEY values of NAME's runs, one a line.
values()
{
    sed -n "s/.*\b$2=\([0-9.]*\).*/\1/p" "$work/$1.txt"
}

median()
{
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

minimum()
{
    sort -n | head -n 1
}

maximum()
{
    sort -n | tail -n 1
}

mebibytes()
{
    awk '{ printf "%.1f", $1 / 1024 }'
}

row()
{
    local name="$1" label="$2"
    printf "| %s | %s | %s | %s | %s | %s | %s | %s |\n" "$label" \
        "$(values "$name" first_frame_ms | median)" "$(values "$name" first_frame_ms | minimum)" \
        "$(values "$name" first_frame_ms | maximum)" "$(values "$name" map_ms | median)" \
        "$(values "$name" cpu_ms | median)" "$(values "$name" vmrss_kb | median | mebibytes)" \
        "$(values "$name" vmhwm_kb | median | mebibytes)"
}

programMedian="$(values musewheeler first_frame_ms | median)"
emptyMedian="$(values empty first_frame_ms | median)"
ratio="$(awk -v a="$programMedian" -v b="$emptyMedian" 'BEGIN { printf "%.2f", a / b }')"
rss="$(values musewheeler vmrss_kb | median | mebibytes)"
hwm="$(values musewheeler vmhwm_kb | median | mebibytes)"

verdict()
{
    awk -v value="$1" -v limit="$2" -v strict="$3" \
        'BEGIN { print ((strict ? value < limit : value <= limit) ? "met" : "MISSED") }'
}

echo
echo "Start-up on Xvfb $display (no window manager), $runs runs of each after one warm-up, alternating order;"
echo "memory read ${settleMs} ms after the first frame. Times in ms from just before the start, memory in MiB."
echo
echo "| program | first frame, median | min | max | window mapped, median | CPU at first frame, median | VmRSS, median | VmHWM, median |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
row musewheeler Musewheeler
row empty "empty window"
echo
echo "Warm-up runs (not counted): Musewheeler $(values musewheeler-warmup first_frame_ms) ms," \
    "empty window $(values empty-warmup first_frame_ms) ms."
echo "Ratio of the medians: $ratio x (target at most 1.5 x: $(verdict "$ratio" 1.5 0))."
# 60 MB are 57.2 MiB.
echo "Musewheeler's memory: VmRSS $rss MiB, VmHWM $hwm MiB (target under 60 MB: $(verdict "$hwm" 57.2 1))."
