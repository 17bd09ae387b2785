#!/bin/sh
# Runs every libFuzzer executable of a folder for FUZZ_SECONDS each, seeded from the test fixtures
# and the shipped sets; the corpora grow in <folder>/corpus between runs. Crashes land in <folder>/findings.
set -eu
folder="$1"
seconds="${FUZZ_SECONDS:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
status=0

for fuzzer in "$folder"/Fuzz*; do
    [ -x "$fuzzer" ] || continue
    name="$(basename "$fuzzer")"
    corpus="$folder/corpus/$name"
    findings="$folder/findings/$name"
    mkdir -p "$corpus" "$findings"
    find "$root/tests/fixtures" "$root/data" -type f \( -name '*.mwh' -o -name '*.ini' -o -name '*.txt' \) \
        -exec cp -n {} "$corpus/" \; 2>/dev/null || true
    echo "== $name: ${seconds}s"
    if ! "$fuzzer" "$corpus" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=4096 \
            -artifact_prefix="$findings/" -print_final_stats=1 2>"$folder/$name.log"; then
        status=1
        echo "   finding(s) in $findings"
    fi
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "$folder/$name.log" || tail -5 "$folder/$name.log"
done

exit $status
