#!/bin/bash
# musewheeler-sets run as a user runs it, on the fixtures of tests/fixtures/cli: every subcommand, every
# import format read back through the program's reader, and bad input, checking exit codes, standard
# output, messages and the files written.
# Usage: sets-command.sh MUSEWHEELER_SETS SOURCE_DIR
set -uo pipefail
# Sorted lists compare in byte order, the order of the program's reader.
export LC_ALL=C

command="$1"
fixtures="$2/tests/fixtures/cli"
shipped="$2/data"
data="$fixtures/data"

work=$(mktemp -d /tmp/musewheeler-sets.XXXXXX)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
failures=0

fail()
{
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Runs the command; its output lands in $out, its messages in $err, its exit code in $rc. The toolkit's
# debug builds print their version on standard error first; that line is no message of the command.
run()
{
    "$command" "$@" >"$work/out" 2>"$work/err.raw"
    rc=$?
    out=$(cat "$work/out")
    err=$(grep -v '^JUCE v' "$work/err.raw")
}

expect()
{
    local what="$1" wantedRc="$2"
    [ "$rc" = "$wantedRc" ] || fail "$what: exit code $rc, not $wantedRc (stdout: $out; stderr: $err)"
}

expectOut()
{
    [ "$out" = "$2" ] || fail "$1: printed
$out
instead of
$2"
}

contains()
{
    case "$2" in *"$3"*) ;; *) fail "$1: '$3' is not in: $2" ;; esac
}

#-------------------------------------------------------------------------------------------------------
run --help
expect "--help" 0
help="$out"
for subcommand in draw list search tags check import export; do
    contains "--help" "$help" "musewheeler-sets $subcommand"
    run "$subcommand" --help
    expect "$subcommand --help" 0
    contains "$subcommand --help" "$out" "musewheeler-sets $subcommand"
    [ "$(printf '%s\n' "$out" | wc -l)" -gt 3 ] || fail "$subcommand --help tells too little"
done

for usage in "" "frobnicate" "draw --count 0" "draw --count" "draw --language de" "draw --tag polka" \
             "list extra" "search" "tags --language any" "check" "import" "export --format pdf" \
             "list --colour red"; do
    # shellcheck disable=SC2086
    run $usage --data "$data"
    expect "'$usage'" 2
    [ -z "$out" ] || fail "'$usage' printed on standard output: $out"
    [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "'$usage' wrote more than one line: $err"
done
echo "ok: help on every subcommand, and one-line usage errors with exit code 2"

#-------------------------------------------------------------------------------------------------------
run list --data "$data"
expect "list" 0
expectOut "list" "en-sample.mwh	Play the melody on a synthesizer.
en-sample.mwh	Sing the bass line.
en-sample.mwh	Write a song about the sea.
fr-exemple.mwh	Jouez la mélodie au synthé.
fr-exemple.mwh	Écoutez le silence entre deux notes."

run list --data "$data" --language fr --tag "SYNTHESE SONORE"
expect "list filtered" 0
expectOut "list by language and tag name" "fr-exemple.mwh	Jouez la mélodie au synthé."

run list --data "$data" --set EN-SAMPLE.MWH --favorites
expectOut "list of one set's favourites" "en-sample.mwh	Play the melody on a synthesizer."

run list --data "$data" --tag=405 --language en
expect "list of nothing" 1
[ -z "$out" ] || fail "an empty list printed: $out"
contains "an empty list" "$err" "no advice passes the filters"

run list --data "$data" --set missing.mwh
expect "list of a missing set" 1
contains "a missing set" "$err" "no set file named missing.mwh"

run list --data "$work/nowhere"
expect "list of a folder without sets" 1
contains "a folder without sets" "$err" "no set file in"

run search "ecoutez SILENCE" --data "$data"
expect "search" 0
expectOut "search ignoring case and accents" "fr-exemple.mwh	Écoutez le silence entre deux notes."
run search synthé --data "$data" --language en
expectOut "search with a filter" "en-sample.mwh	Play the melody on a synthesizer."
run search accordion --data "$data"
expect "search for nothing" 1
echo "ok: list and search with every filter"

#-------------------------------------------------------------------------------------------------------
run draw --data "$data" --set en-sample.mwh --tag 205
expect "draw" 0
expectOut "draw" "Play the melody on a synthesizer.
— Sample Set, Tester"

run draw --data "$data" --count 10 --plain
expect "draw --count" 0
[ "$(printf '%s\n' "$out" | sort)" = "$(cut -f2 <<<"$(run list --data "$data"; echo "$out")" | sort)" ] \
    || fail "draw --count 10 did not give the five advice once each: $out"

run draw --data "$data" --count 2
[ "$(grep -c '^— ' <<<"$out")" = 2 ] || fail "two advice drawn without two set lines: $out"

run draw --daily --data "$shipped" --count 3
first="$out"
for _ in 1 2 3; do
    run draw --daily --data "$shipped" --count 3
    [ "$out" = "$first" ] || fail "draw --daily changed within the day"
done
[ "$(grep -c '^— ' <<<"$first")" = 3 ] || fail "draw --daily --count 3 gave: $first"
echo "ok: draw, draw --count without repeats, draw --daily stable"

#-------------------------------------------------------------------------------------------------------
run tags
expect "tags" 0
[ "$(printf '%s\n' "$out" | wc -l)" = 67 ] || fail "tags gave $(printf '%s\n' "$out" | wc -l) lines"
contains "tags" "$out" "205	Music instruments	Sound synthesis"
run tags --language fr
contains "tags in French" "$out" "205	Instruments de musique	Synthèse sonore"
echo "ok: tags in both languages"

#-------------------------------------------------------------------------------------------------------
run check "$shipped"/*.mwh
expect "check of the shipped sets" 0
contains "check of the shipped sets" "$out" "advice: no problem"

run check "$fixtures/broken.mwh" "$data/en-sample.mwh"
expect "check of a broken set" 1
for problem in "broken.mwh:1: missing \"Colour=\"" \
               "broken.mwh:8: the advice is cut at a \";\": \"this is lost.\" is not part of it" \
               "broken.mwh:12: no abstraction tag" \
               "broken.mwh:16: unknown tag 999" \
               "en-sample.mwh:13: the same text stands earlier: \"Sing the bass line.\""; do
    contains "check of a broken set" "$out" "$problem"
done
echo "ok: check reports each problem at its line"

#-------------------------------------------------------------------------------------------------------
# Each import format, read back by the program's reader through list and check.
importAndList()
{
    local source="$1" name="$2"
    shift 2
    run import "$source" --name "$name" --language en --author Me --data "$work/imported" "$@"
}

importAndList "$fixtures/prompts.txt" "From Text"
expect "text import" 1
contains "text import" "$out" "prompts.txt:4: a \";\" would cut the text (left out)"
contains "text import" "$out" "prompts.txt:5: the text holds \"“\""
contains "text import" "$out" "prompts.txt:6: the same text stands earlier"
contains "text import" "$out" "Wrote 3 advice"
[ -f "$work/imported/en-from-text.mwh" ] || fail "the text import wrote no en-from-text.mwh"

importAndList "$fixtures/prompts.fortune" "From Fortune"
expect "fortune import" 0
importAndList "$fixtures/prompts.csv" "From CSV" --tags 2,
expect "CSV import" 1
contains "CSV import" "$out" "prompts.csv:7: unknown tag 999 (left out)"

run list --data "$work/imported"
expectOut "imports read back" "en-from-csv.mwh	Call it \"finished\" when it makes you smile
en-from-csv.mwh	Mute everything, then bring one part back
en-from-csv.mwh	Two lines in one field
en-from-csv.mwh	Unquoted tags stay
en-from-fortune.mwh	Record one take only.
en-from-fortune.mwh	Start with the last chord and work backwards.
en-from-fortune.mwh	Use 100% of the first idea, then throw half of it away.
en-from-text.mwh	Hum a bass line before any chords.
en-from-text.mwh	Play the chorus twice as slow.
en-from-text.mwh	Écrivez un refrain en dix minutes."

run list --data "$work/imported" --tag 205
expectOut "imported CSV tags" "en-from-csv.mwh	Unquoted tags stay"
run list --data "$work/imported" --tag 104 --set en-from-csv.mwh
expectOut "imported CSV tags" "en-from-csv.mwh	Two lines in one field"
run draw --data "$work/imported" --set en-from-fortune.mwh --count 1
contains "imported header" "$out" "— From Fortune, Me"
run check "$work/imported"/*.mwh
expect "check of the imported sets" 0

# What export writes, import reads back as the same advice.
for format in text fortune; do
    run export --data "$data" --format "$format"
    expect "export --format $format" 0
    printf '%s\n' "$out" >"$work/exported.$format"
    run import "$work/exported.$format" --name "Again $format" --language fr --out "$work/again/$format.mwh"
    expect "import of the $format export" 0
    run list --data "$work/again" --set "$format.mwh"
    [ "$(cut -f2 <<<"$out")" = "$(run list --data "$data"; cut -f2 <<<"$out" | sort)" ] \
        || fail "the $format export did not read back as the same advice: $out"
done

run export --data "$data" --favorites --format markdown
expectOut "markdown export of the favourites" "## Sample Set

*Tester*

- Play the melody on a synthesizer.

## Exemple

*Testeur*

- Écoutez le silence entre deux notes."
echo "ok: text, fortune and CSV imports read back through the program's reader; exports import again"

#-------------------------------------------------------------------------------------------------------
before=$(cat "$work/imported/en-from-text.mwh" | md5sum)
importAndList "$fixtures/prompts.fortune" "From Text"
expect "import over an existing set" 1
contains "import over an existing set" "$err" "already exists; --force replaces it"
[ "$(md5sum <"$work/imported/en-from-text.mwh")" = "$before" ] || fail "an import without --force changed the set"
importAndList "$fixtures/prompts.fortune" "From Text" --force
expect "import --force" 0
run list --data "$work/imported" --set en-from-text.mwh
contains "import --force" "$out" "Record one take only."

mkdir "$work/folder"
printf '\n  \n' >"$work/empty.txt"
printf 'junk\0\001\002\377 bytes' >"$work/junk.txt"
printf 'fine\n' >"$work/big.txt"
truncate -s 50M "$work/big.txt"
printf 'MusewheelerV1 - Set file\n\n' >"$work/big.mwh"
truncate -s 50M "$work/big.mwh"

for case in "missing.txt|no such file" "folder|a folder, not a file" "junk.txt|not a text file" \
            "big.txt|too large for a list of advice" "empty.txt|no advice to write"; do
    source="$work/${case%%|*}"
    run import "$source" --name "Bad Input" --language en --data "$work/bad"
    expect "import of ${case%%|*}" 1
    [[ "$err" == "$source: ${case#*|}"* ]] && [ "$(wc -l <<<"$err")" = 1 ] \
        || fail "import of ${case%%|*} said: $err"
done
[ ! -e "$work/bad" ] || fail "a failed import left files: $(ls -A "$work/bad")"

for case in "missing.mwh|no such file" "folder|a folder, not a set file" "junk.txt|not a set file" \
            "big.mwh|"; do
    run check "$work/${case%%|*}"
    expect "check of ${case%%|*}" 1
    contains "check of ${case%%|*}" "$out" "$work/${case%%|*}:1: ${case#*|}"
done

# A folder the user may not write to (as root, the command runs as nobody, whom it refuses).
mkdir -m 755 "$work/readonly"
chmod 555 "$work/readonly"
asUser=()
[ "$(id -u)" != 0 ] || asUser=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${asUser[@]}" "$command" import "$fixtures/prompts.fortune" --name "Nowhere" --language en \
    --data "$work/readonly" >"$work/out" 2>"$work/err.raw"
rc=$?
err=$(grep -v '^JUCE v' "$work/err.raw")
expect "import into a read-only folder" 1
contains "import into a read-only folder" "$err" "cannot write $work/readonly/en-nowhere.mwh: is its folder writable?"
[ -z "$(ls -A "$work/readonly")" ] || fail "an import into a read-only folder left: $(ls -A "$work/readonly")"
echo "ok: bad input gives one clear message and exit code 1, and never a partial set file"

#-------------------------------------------------------------------------------------------------------
if [ "$failures" -gt 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "PASS"
