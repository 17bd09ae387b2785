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

# Under Wine (tests/windows/windows-check.sh sets MUSEWHEELER_SETS_UNDER_WINE), the Windows build names
# paths as Windows does and ends its lines with CR LF; it has no POSIX rights, no arguments in a byte
# encoding and no Unix terminal, so those checks say why and are left out.
underWine="${MUSEWHEELER_SETS_UNDER_WINE:-}"
shownPath() { if [ -n "$underWine" ]; then winepath -w "$1" 2>/dev/null; else printf '%s' "$1"; fi; }
withoutCarriageReturns() { if [ -n "$underWine" ]; then tr -d '\r'; else cat; fi; }
leftOutUnderWine()
{
    [ -n "$underWine" ] || return 1
    echo "left out under Wine: $1"
}

work=$(mktemp -d /tmp/musewheeler-sets.XXXXXX)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
# What check keeps of its measures goes to the user's cache: here, the test's own.
export XDG_CACHE_HOME="$work/cache"
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
    out=$(withoutCarriageReturns <"$work/out")
    err=$(grep -v '^JUCE v' "$work/err.raw" | withoutCarriageReturns)
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
for subcommand in draw list search tags check import export sets favorite add; do
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

mkdir -p "$work/nowhere"
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
# The advice of the day hangs on the texts, not on where they stand: the same sets under other file names
# (read in another order), or beside a set the pick does not come after, give the same advice.
mkdir -p "$work/renamed"
for set in "$shipped"/*.mwh; do
    cp "$set" "$work/renamed/$(basename "$set" .mwh | rev).mwh"
done
run draw --daily --data "$work/renamed" --count 3
[ "$out" = "$first" ] || fail "draw --daily changed with the sets' file names: $out"
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
for problem in "broken.mwh:1: missing \"Colour=\"" "broken.mwh:1: the program passes over part of the file" \
               "broken.mwh:8: the advice is cut at a \";\": \"this is lost.\" is not part of it" \
               "broken.mwh:12: no abstraction tag" \
               "broken.mwh:16: unknown tag 999" \
               "en-sample.mwh:13: the same text stands earlier: \"Sing the bass line.\""; do
    contains "check of a broken set" "$out" "$problem"
done
echo "ok: check reports each problem at its line"

# Texts grown a word at a time across the edge of what the advice label shows: of the widest letters, of
# ordinary ones, and with an em dash, which only the label's own layout measures. In each family the texts
# that do not fit are the longest ones, from the first that does not fit on.
edge="$work/edge.mwh"
families=("WWWWW" "record" "W—W")
{
    printf 'MusewheelerV1 - Set file\n\nName=Edge;\nDescription=Around the edge;\nAuthor=Tests;\n'
    printf 'Language=1;\nColour=1,2,3;\n\n'
    for word in "${families[@]}"; do
        text=""
        for _ in $(seq 40); do
            text="${text:+$text }$word"
            printf 'Item=%s;\nFavorite=false;\nTags=0,;\n\n' "$text"
        done
    done
} >"$edge"
run check "$edge"
expect "check of texts around the edge" 1
for family in 0 1 2; do
    pattern=""
    for n in $(seq 0 39); do
        line=$((9 + 4 * (40 * family + n)))
        case "$out" in *"edge.mwh:$line: the text does not fit"*) pattern="${pattern}1" ;; *) pattern="${pattern}0" ;; esac
    done
    [[ "$pattern" =~ ^0+1+$ ]] || fail "check of the ${families[$family]} texts: fit by length $pattern"
done
echo "ok: check tells the texts that fit the advice label from those that do not, around the edge"

# The same sets as the program writes them (UTF-16 with CR LF): check reads such a set in one quick pass when
# it is clean, and fully when it is not; the report is the same, line for line.
asWritten()
{
    { printf '\xff\xfe'; sed 's/$/\r/' "$1" | iconv -f UTF-8 -t UTF-16LE; } >"$2"
}
edgeReport="$out"
asWritten "$edge" "$work/edge-as-written.mwh"
run check "$work/edge-as-written.mwh"
expect "check of the edge texts as the program writes them" 1
[ "${out//edge-as-written.mwh/edge.mwh}" = "$edgeReport" ] || fail "the edge texts as the program writes them: $out"
run check "$shipped/en-studio-desk.mwh"
shippedReport="$out"
asWritten "$shipped/en-studio-desk.mwh" "$work/studio-as-written.mwh"
run check "$work/studio-as-written.mwh"
expect "check of a shipped set as the program writes it" 0
[ "$out" = "$shippedReport" ] || fail "a shipped set as the program writes it: $out, not $shippedReport"
echo "ok: check reports the sets the program writes as it reports the same sets in UTF-8"

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
truncate -s 50M "$work/big.mwh"
printf 'MusewheelerV1 - Set file\n\n' >"$work/bigset.mwh"
truncate -s 50M "$work/bigset.mwh"

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
            "big.mwh|not a set file" "bigset.mwh|the program passes over part of the file"; do
    run check "$work/${case%%|*}"
    expect "check of ${case%%|*}" 1
    contains "check of ${case%%|*}" "$out" "$work/${case%%|*}:1: ${case#*|}"
done

# A folder the user may not write to (as root, the command runs as nobody, whom it refuses).
if ! leftOutUnderWine "an import into a folder the user may not write (it runs the command as another user, who has no Wine prefix)"; then
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
fi
echo "ok: bad input gives one clear message and exit code 1, and never a partial set file"

#-------------------------------------------------------------------------------------------------------
# Arguments that start with "-": values and words, never taken for --help.
printf 'Cut the bass by -12dB.\nLeave -1 bar of silence.\n' >"$work/minus.txt"
run import "$work/minus.txt" --name "-1 song" --language en --data "$work/minus"
expect "import --name '-1 song'" 0
[ -f "$work/minus/en-1-song.mwh" ] || fail "import --name '-1 song' wrote $(ls -A "$work/minus" 2>&1)"
run draw --data "$work/minus" --count 1
contains "a set named '-1 song'" "$out" "— -1 song"
run search --data "$work/minus" -- -12dB
expect "search -- -12dB" 0
expectOut "search -- -12dB" "en-1-song.mwh	Cut the bass by -12dB."
run search --data "$work/minus" -- -1 bar
expectOut "search -- -1 bar" "en-1-song.mwh	Leave -1 bar of silence."
for usage in "draw --count -1" "draw --count -10" "search -12dB" "list -1" "-1" "draw -h1" "tags --language -1"; do
    # shellcheck disable=SC2086
    run $usage --data "$data"
    expect "'$usage'" 2
    [ -z "$out" ] || fail "'$usage' printed on standard output (help?): $out"
    [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "'$usage' wrote more than one line: $err"
done
contains "draw --count -1" "$(run draw --count -1 --data "$data"; echo "$err")" "--count takes a whole number from 1 up, not -1"
run draw -h
expect "draw -h" 0
contains "draw -h" "$out" "musewheeler-sets draw"
run --data "$data" --language fr list
expect "options before the command" 0
expectOut "options before the command" "fr-exemple.mwh	Jouez la mélodie au synthé.
fr-exemple.mwh	Écoutez le silence entre deux notes."
echo "ok: arguments starting with - are values or words, -h and --help only ask for help"

#-------------------------------------------------------------------------------------------------------
# An output that cannot be written is a failure; a reader that stops reading is not.
for what in "list --data $data" "draw --data $data" "export --format fortune --data $data" "tags" \
            "search synth --data $data" "check $data/en-sample.mwh"; do
    # shellcheck disable=SC2086
    "$command" $what >/dev/full 2>"$work/err.raw"
    rc=$?
    err=$(grep -v '^JUCE v' "$work/err.raw")
    [ "$rc" = 1 ] || fail "$what onto a full disk: exit code $rc"
    contains "$what onto a full disk" "$err" "cannot write the output: No space left on device"
done
"$command" import "$fixtures/prompts.fortune" --name "Full" --language en --data "$work/full2" >/dev/full 2>"$work/err.raw"
[ "$?" = 1 ] || fail "an import whose summary cannot be written reported success"
"$command" list --data "$shipped" 2>"$work/err.raw" | head -n 1 >/dev/null
[ -z "$(grep -v '^JUCE v' "$work/err.raw")" ] || fail "a closed pipe gave a message: $(cat "$work/err.raw")"
# Longer than a pipe holds, so that the command still writes once the reader is gone; with SIGPIPE ignored, as
# some shells and services start commands, the write fails with EPIPE instead of ending the command.
seq 3000 | sed 's/.*/Advice number & for the pipe./' >"$work/many.txt"
run import "$work/many.txt" --name "Many" --language en --data "$work/pipe"
(
    trap '' PIPE
    "$command" export --data "$work/pipe" 2>"$work/err.raw" | head -c 10 >/dev/null
    status=${PIPESTATUS[0]}
    [ "$status" = 0 ] || echo "exit code $status" >>"$work/err.raw"
)
[ -z "$(grep -v '^JUCE v' "$work/err.raw")" ] || fail "a closed pipe gave a message: $(cat "$work/err.raw")"
echo "ok: a full disk fails with a message, a closed pipe stays quiet"

#-------------------------------------------------------------------------------------------------------
# Messages that tell what is wrong and what to do.
run list --data "$work/nonexistent"
expect "list --data of a missing folder" 1
expectOut "list --data of a missing folder" ""
[ "$err" = "musewheeler-sets: the folder $(shownPath "$work/nonexistent") does not exist (--data chooses another folder)" ] \
    || fail "list --data of a missing folder said: $err"
mkdir -p "$work/nosets/sub"
(cd "$work/nosets" && "$command" list --data sub >"$work/out" 2>"$work/err.raw")
[ "$?" = 1 ] || fail "list in a folder without sets did not end with 1"
err=$(grep -v '^JUCE v' "$work/err.raw" | withoutCarriageReturns)
[ "$err" = "musewheeler-sets: no set file in $(shownPath "$work/nosets/sub") (--data chooses another folder)" ] \
    || fail "a folder without sets said: $err"
run list --data "$data/en-sample.mwh"
expect "--data naming a file" 1
contains "--data naming a file" "$err" "is a file, not a folder of sets"

run list --data "$data" --set en-sample.mwh --language fr
expect "--set with another --language" 1
[ -z "$out" ] || fail "--set with another --language listed: $out"
contains "--set with another --language" "$err" "en-sample.mwh is a set in English, so --language fr leaves nothing"
run list --data "$data" --set en-sample.mwh --language en
expect "--set with its own --language" 0

mkdir -p "$work/outfolder"
run import "$fixtures/prompts.fortune" --name "Into Folder" --language en --out "$work/outfolder"
expect "import --out FOLDER" 0
[ -f "$work/outfolder/en-into-folder.mwh" ] || fail "import --out FOLDER wrote: $(ls -A "$work/outfolder")"
run import "$fixtures/prompts.fortune" --name "!!!" --language en --data "$work/bang"
expect "import --name '!!!'" 2
contains "import --name '!!!'" "$err" "--name !!! holds no letter or digit"
[ ! -e "$work/bang" ] || fail "import --name '!!!' wrote $(ls -A "$work/bang")"
run import "$fixtures/prompts.fortune" --name "!!!" --language en --out "$work/bang.mwh"
expect "import --name '!!!' --out FILE" 0

run import "$fixtures/prompts.txt" --name "No Abstraction" --language en --tags 104 --data "$work/tags104"
expect "import --tags 104" 2
[ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "import --tags 104 wrote more than one line: $err"
contains "import --tags 104" "$err" "--tags needs an abstraction tag, 0, 1 or 2"
run import "$fixtures/prompts.txt" --name "Unknown Tag" --language en --tags 0,999 --data "$work/tags104"
expect "import --tags 0,999" 2
contains "import --tags 0,999" "$err" "--tags holds 999, which is no tag"

truncate -s 600M "$work/huge.mwh"
run check "$work/huge.mwh"
expect "check of a 600 MB set" 1
contains "check of a 600 MB set" "$out" "huge.mwh:1: too large for a set file (600.0 MB; the program reads at most 512.0 MB)"
rm -f "$work/huge.mwh"
echo "ok: messages tell the missing folder, the contradiction, the name and the tags, once"

#-------------------------------------------------------------------------------------------------------
# Tables as spreadsheets write them: the separator, the header row and the columns found by themselves.
importTable()
{
    local source="$1" name="$2"
    shift 2
    run import "$work/$source" --name "$name" --language en --data "$work/tables" "$@"
    expect "import of $source" 0
}

# A European spreadsheet's export: byte-order mark, "sep=;" line, CR LF, a comma inside a text.
printf '\xef\xbb\xbfsep=;\r\nIdea;Tags\r\n"Write a verse, then burn it";0,104\r\nHum the bass;1\r\n' >"$work/semi-sep.csv"
importTable semi-sep.csv "Semi Sep"
contains "semicolon CSV with a sep line" "$out" "Wrote 2 advice"
contains "semicolon CSV with a sep line" "$out" "separated by \";\""
run list --data "$work/tables" --set en-semi-sep.mwh --tag 104
expectOut "semicolon CSV tags" "en-semi-sep.mwh	Write a verse, then burn it"

# The same without the sep line, with a header whose first name is none the import knew.
printf '\xef\xbb\xbfPrompt;Category\r\nPlay it slower, then faster;Rhythm\r\nSing the melody backwards;Melody\r\n' \
    >"$work/semi.csv"
importTable semi.csv "Semi"
contains "semicolon CSV" "$out" "Wrote 2 advice"
contains "semicolon CSV" "$out" "column \"Category\" passed over"
run list --data "$work/tables" --set en-semi.mwh
expectOut "semicolon CSV read back" "en-semi.mwh	Play it slower, then faster
en-semi.mwh	Sing the melody backwards"

printf 'Idea,Tags\nBorrow a rhythm from a folk song,"0,401"\nWrite in a mode you never use,1\n' >"$work/idea.csv"
importTable idea.csv "Idea"
run list --data "$work/tables" --set en-idea.mwh --tag 401
expectOut "Idea,Tags header" "en-idea.mwh	Borrow a rhythm from a folk song"
printf 'Prompt\nOne chord for a whole song\nA song in one breath\n' >"$work/prompt.csv"
importTable prompt.csv "Prompt"
run list --data "$work/tables" --set en-prompt.mwh
expectOut "a one-column header" "en-prompt.mwh	A song in one breath
en-prompt.mwh	One chord for a whole song"
printf 'Title,Prompt text,Tags\nRain,Record the rain and build a groove on it,"0,205"\n' >"$work/titled.csv"
importTable titled.csv "Titled"
contains "a header by its tag column" "$out" "column \"Title\" passed over"
run list --data "$work/tables" --set en-titled.mwh --tag 205
expectOut "the text column as the longest" "en-titled.mwh	Record the rain and build a groove on it"

# "Unicode text" from a spreadsheet: UTF-16 with a byte-order mark, tab-separated, in a .txt file.
{
    printf '\xff\xfe'
    printf 'Text\tTags\r\n\xc3\x89coutez la pluie\t0,205\r\n"Deux lignes,\t en une"\t1\r\n' | iconv -f UTF-8 -t UTF-16LE
} >"$work/unicode-export.txt"
run import "$work/unicode-export.txt" --name "Unicode" --language fr --data "$work/tables"
expect "UTF-16 tab export" 0
contains "UTF-16 tab export" "$out" "separated by tabs, UTF-16"
run list --data "$work/tables" --set fr-unicode.mwh
expectOut "UTF-16 tab export read back" "fr-unicode.mwh	Deux lignes, en une
fr-unicode.mwh	Écoutez la pluie"
run list --data "$work/tables" --set fr-unicode.mwh --tag 205
expectOut "UTF-16 tab export tags" "fr-unicode.mwh	Écoutez la pluie"
printf 'Jouez lentement\t0,104\nJouez vite\t1\n' >"$work/plain.tsv"
run import "$work/plain.tsv" --name "Plain TSV" --language fr --data "$work/tables"
expect ".tsv import" 0
run list --data "$work/tables" --tag 104 --set fr-plain-tsv.mwh
expectOut ".tsv tags" "fr-plain-tsv.mwh	Jouez lentement"

# What is detected, forced.
printf 'Keep it, then cut it\nOne, two, three\n' >"$work/commas.csv"
importTable commas.csv "Forced Text" --format text
run list --data "$work/tables" --set en-forced-text.mwh
expectOut "--format text on a .csv" "en-forced-text.mwh	Keep it, then cut it
en-forced-text.mwh	One, two, three"
printf 'Sing it|0,104\nWhistle it|1\n' >"$work/pipes.txt"
importTable pipes.txt "Pipes" --delimiter "|"
run list --data "$work/tables" --set en-pipes.mwh --tag 104
expectOut "--delimiter |" "en-pipes.mwh	Sing it"
for usage in "--format pdf" "--delimiter ab" "--format fortune --delimiter ;" "--encoding klingon"; do
    # shellcheck disable=SC2086
    run import "$work/commas.csv" --name "Bad" --language en --data "$work/bad-options" $usage
    expect "import $usage" 2
done
echo "ok: semicolon and tab tables, with or without sep line and header, in UTF-8 or UTF-16"

#-------------------------------------------------------------------------------------------------------
# Encodings decided line by line, and told.
printf 'Caf\xc3\xa9 first, in UTF-8.\nJou\xe9 en Latin-1.\nD\xc3\xa9j\xc3\xa0 vu, UTF-8 again.\n' >"$work/mixed.txt"
run import "$work/mixed.txt" --name "Mixed" --language fr --data "$work/encodings"
expect "mixed encodings" 0
contains "mixed encodings" "$out" "UTF-8, line 2 as Windows-1252"
run list --data "$work/encodings"
expectOut "mixed encodings read back" "fr-mixed.mwh	Café first, in UTF-8.
fr-mixed.mwh	Déjà vu, UTF-8 again.
fr-mixed.mwh	Joué en Latin-1."
printf 'Kiu ne riskas, ne gajnas.\nLa \xe6ielo helpas tiun, kiu helpas sin.\n' >"$work/esperanto.txt"
run import "$work/esperanto.txt" --name "Proverboj" --language en --encoding ISO-8859-3 --data "$work/encodings"
contains "--encoding ISO-8859-3" "$out" "(read as text, ISO-8859-3)"
# The letter is read as it stands, and refused by the set editor's rules, not taken for another one.
contains "--encoding ISO-8859-3" "$out" "esperanto.txt:2: the text holds \"ĉ\" (U+0109)"
echo "ok: each line in its own encoding, and --encoding"

#-------------------------------------------------------------------------------------------------------
# Arguments that are not UTF-8: words in the locale's encoding (or Latin-1), paths as the bytes name them.
if ! leftOutUnderWine "arguments in a byte encoding (Windows hands a program its arguments as UTF-16 text)"; then
    run search $'\xe9coutez' --data "$data"
    expect "search in Latin-1" 0
    expectOut "search in Latin-1" "fr-exemple.mwh	Écoutez le silence entre deux notes."
    latin1Folder="$work/"$'\xe9t\xe9'
    mkdir -p "$latin1Folder"
    cp "$data"/*.mwh "$latin1Folder/"
    run list --data "$latin1Folder" --language en
    expect "--data named in Latin-1" 0
    contains "--data named in Latin-1" "$out" "en-sample.mwh	Sing the bass line."
    run check "$latin1Folder/en-sample.mwh"
    expect "a set path in Latin-1" 0
    contains "a set path in Latin-1" "$out" "1 file, 3 advice: no problem"
    run import "$fixtures/prompts.fortune" --name "Latin" --language en --data "$latin1Folder"
    expect "import into a folder named in Latin-1" 0
    [ -f "$latin1Folder/en-latin.mwh" ] || fail "import into a folder named in Latin-1 wrote: $(ls "$latin1Folder")"
    # In a Latin-1 locale (made here from the locales package's sources), the bytes of "É" in UTF-8 are "Ã" and a
    # control character, which no advice holds, and "é" is one byte.
    mkdir -p "$work/locales"
    if localedef -i fr_FR -f ISO-8859-1 "$work/locales/fr_FR.ISO-8859-1" 2>/dev/null; then
        export LOCPATH="$work/locales"
        LC_ALL=fr_FR.ISO-8859-1 run search $'synth\xe9' --data "$data" --language fr
        expectOut "search in a Latin-1 locale" "fr-exemple.mwh	Jouez la mélodie au synthé."
        LC_ALL=fr_FR.ISO-8859-1 run search $'\xc3\x89coutez' --data "$data"
        expect "UTF-8 bytes in a Latin-1 locale" 1
        unset LOCPATH
    else
        fail "no Latin-1 locale could be made (localedef and the locales package are needed)"
    fi
fi
[ -n "$underWine" ] || echo "ok: arguments in Latin-1, words and paths"

#-------------------------------------------------------------------------------------------------------
# sets, favorite and add on a copy of the shipped sets.
library="$work/library"
mkdir -p "$library"
cp "$shipped"/*.mwh "$library/"
run sets --data "$library"
expect "sets" 0
[ "$(wc -l <<<"$out")" = "$(ls "$shipped"/*.mwh | wc -l)" ] || fail "sets gave: $out"
total=$(run list --data "$library"; wc -l <<<"$out")
studio=$(run list --data "$library" --set en-studio-desk.mwh; wc -l <<<"$out")
run sets --data "$library"
share=$(awk -v n="$studio" -v t="$total" 'BEGIN { printf "%.1f", 100 * n / t }')
contains "sets" "$out" "en-studio-desk.mwh	en	$studio advice	0 favourites	$share%	Studio Desk"
run sets --data "$library" --language fr
[ -z "$(grep -v '	fr	' <<<"$out")" ] || fail "sets --language fr gave: $out"

third=$(run list --data "$library" --set en-studio-desk.mwh; sed -n 3p <<<"$out" | cut -f2)
run favorite 3 --data "$library" --set en-studio-desk.mwh
expect "favorite NUMBER" 0
expectOut "favorite NUMBER" "Marked as a favourite: $third (en-studio-desk.mwh)"
run list --data "$library" --favorites
expectOut "favorite NUMBER read back" "en-studio-desk.mwh	$third"
run sets --data "$library" --language en
contains "sets after a mark" "$out" "en-studio-desk.mwh	en	$studio advice	1 favourite	"
run favorite "$third" --unmark --data "$library"
expect "favorite --unmark TEXT" 0
run list --data "$library" --favorites
expect "no favourite left" 1
run favorite "mix bus warmth" --data "$library"
expect "favorite WORDS" 0
contains "favorite WORDS" "$out" "Marked as a favourite: Add gentle tape-style saturation on the mix bus."
run favorite "the" --data "$library"
expect "favorite of many" 1
contains "favorite of many" "$err" "advice hold every word of the; more words, or the number list gives, tell which"
run favorite 9999 --data "$library"
expect "favorite out of range" 1
run favorite "mix bus warmth" --unmark --data "$library"
expect "favorite --unmark WORDS" 0

run add --set en-studio-desk.mwh "Record the room before the band." --tags 0,413 --data "$library"
expect "add" 0
expectOut "add" "Added to en-studio-desk.mwh: Record the room before the band."
run list --data "$library" --tag 413 --set en-studio-desk.mwh
contains "add read back" "$out" "en-studio-desk.mwh	Record the room before the band."
run check "$library/en-studio-desk.mwh"
expect "check after add" 0
run add --set en-studio-desk.mwh "Record the room before the band." --data "$library"
expect "add twice" 1
contains "add twice" "$err" "the same text stands earlier"
run add --set en-studio-desk.mwh "Use a capo; then don't." --data "$library"
expect "add with a ;" 1
run add --set en-studio-desk.mwh "Sing it." --tags 104 --data "$library"
expect "add without an abstraction tag" 1
contains "add without an abstraction tag" "$err" "no abstraction tag"
run add --set missing.mwh "Sing it." --data "$library"
expect "add to a missing set" 1
run add "Sing it." --data "$library"
expect "add without --set" 2
echo "ok: sets, favorite and add"

#-------------------------------------------------------------------------------------------------------
# export --format csv → import → export: the same set, byte for byte, for every shipped set. Each set is
# first rewritten by the program's own writer (a mark set and taken away), as the import writes.
roundTrip="$work/round-trip"
mkdir -p "$roundTrip/sets" "$roundTrip/again"
cp "$shipped"/*.mwh "$roundTrip/sets/"
for set in "$roundTrip/sets"/*.mwh; do
    name=$(basename "$set")
    run favorite 1 --data "$roundTrip/sets" --set "$name"
    run favorite 1 --unmark --data "$roundTrip/sets" --set "$name"
    run favorite 2 --data "$roundTrip/sets" --set "$name"
    run export --format csv --data "$roundTrip/sets" --set "$name"
    expect "export --format csv of $name" 0
    printf '%s\n' "$out" >"$roundTrip/$name.csv"
    run import "$roundTrip/$name.csv" --out "$roundTrip/again/$name"
    expect "import of the CSV of $name" 0
    cmp -s "$set" "$roundTrip/again/$name" || fail "the CSV of $name imported as another set file"
    run export --format csv --data "$roundTrip/again" --set "$name"
    [ "$out" = "$(cat "$roundTrip/$name.csv")" ] || fail "the CSV of $name exported again differs"
    run check "$roundTrip/again/$name"
    expect "check of the imported $name" 0
done
head -n 1 "$roundTrip/en-studio-desk.mwh.csv" | grep -qx 'text,tags,favorite,set,author,description,language,colour' \
    || fail "the CSV export's header is: $(head -n 1 "$roundTrip/en-studio-desk.mwh.csv")"
run list --data "$roundTrip/again" --favorites
[ "$(wc -l <<<"$out")" = "$(ls "$shipped"/*.mwh | wc -l)" ] || fail "the favourites did not come back: $out"
echo "ok: export --format csv and import make the same set again"

#-------------------------------------------------------------------------------------------------------
# Fortune files as Debian ships them: long and multi-line entries, typographic quotes and dashes.
run import "$fixtures/typographic.fortune" --name "Typographic" --language en --data "$work/typo"
expect "fortune with typography" 1
contains "fortune with typography" "$out" "refuses"
run import "$fixtures/typographic.fortune" --name "Typographic" --language en --data "$work/typo" --fix --force
expect "import --fix" 0
run list --data "$work/typo"
expectOut "import --fix" "en-typographic.mwh	\"Don't wait for inspiration - it comes while working,\" she said...
en-typographic.mwh	A melody is a line that goes for a walk, over two lines of the fortune file, and then it comes home again, to be sung.
en-typographic.mwh	It's the notes you don't play."
echo "ok: import --fix"

#-------------------------------------------------------------------------------------------------------
# On a terminal, draw wraps to its width; piped, it does not.
run draw --data "$library" --set en-studio-desk.mwh --count 1
longest=$(awk '{ print length }' <<<"$out" | sort -n | tail -n 1)
if leftOutUnderWine "the width of a Windows console (Wine gives a program started from a Unix terminal none)"; then
    :
elif command -v script >/dev/null; then
    COLUMNS=30 script -qec "'$command' draw --data '$library' --set en-studio-desk.mwh --count 3" /dev/null \
        | tr -d '\r' | grep -v '^JUCE v' >"$work/terminal"
    widest=$(LC_ALL=C.UTF-8 wc -L <"$work/terminal")
    [ "$widest" -le 30 ] || fail "draw on a 30-column terminal wrote lines of $widest characters: $(cat "$work/terminal")"
    [ "$(wc -l <"$work/terminal")" -gt 8 ] || fail "draw on a terminal printed: $(cat "$work/terminal")"
fi
[ "$longest" -gt 30 ] || fail "draw into a pipe wrapped its lines: $out"
run import --help
for option in --name --language --author --description --tags --out --force --colour --fix --format \
              --delimiter --encoding --data "4.0 MB" "sep=" "prompt" "favorite" "colour"; do
    contains "import --help" "$out" "$option"
done
echo "ok: draw wraps on a terminal only; import --help tells every option"

#-------------------------------------------------------------------------------------------------------
# A large library keeps an index beside its sets: what draw, list and search print through it is what the
# sets hold, and a set changed, added or removed, or a damaged index, is read again.
large="$work/large"
mkdir -p "$large"
awk 'BEGIN {
    srand(7)
    printf "MusewheelerV1 - Set file\r\n\r\nName=Large;\r\nDescription=Many;\r\nAuthor=Bench;\r\nLanguage=1;\r\nColour=1,2,3;\r\n\r\n"
    for (i = 0; i < 6000; ++i)
        printf "Item=Advice number %d, repeated to fill the set with something of a usual length.;\r\nFavorite=%s;\r\nTags=%d,%d,;\r\n\r\n", i, (i % 1000 == 0 ? "true" : "false"), i % 3, 400 + i % 18
}' | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$large/en-large.mwh"
cp "$shipped/fr-sons-et-studio.mwh" "$large/"
touch -d '1 hour ago' "$large"/*.mwh
index="$large/.musewheeler-sets.index"
expectedList=$(run export --data "$large" --format csv; tail -n +2 <<<"$out" | wc -l)

run list --data "$large"
expect "list of a large library" 0
[ -f "$index" ] || fail "no index beside a large library"
[ "$(wc -l <<<"$out")" = "$expectedList" ] || fail "list through the index gave $(wc -l <<<"$out") advice"
[ "$(sed -n 2p <<<"$out")" = "en-large.mwh	Advice number 1, repeated to fill the set with something of a usual length." ] \
    || fail "list through the index: $(sed -n 2p <<<"$out")"
run list --data "$large" --favorites --tag 400 --language en
expectOut "list with filters through the index" "en-large.mwh	Advice number 0, repeated to fill the set with something of a usual length."
run search "NUMBER 4242" --data "$large"
expectOut "search through the index" "en-large.mwh	Advice number 4242, repeated to fill the set with something of a usual length."
run search "écoutez" --data "$large" --language en
expect "search through the index for nothing" 1
run list --data "$large" --set missing.mwh
contains "a missing set through the index" "$err" "no set file named missing.mwh"
run list --data "$large" --set fr-sons-et-studio.mwh --language en
contains "a contradiction through the index" "$err" "is a set in French"
run draw --daily --data "$large" --count 2
daily="$out"
indexTime=$(stat -c %Y.%N "$index")
run draw --daily --data "$large" --count 2
[ "$out" = "$daily" ] || fail "draw --daily through the index changed"
[ "$(stat -c %Y.%N "$index")" = "$indexTime" ] || fail "an index of unchanged sets was made again"

run add --set en-large.mwh "A brand new advice for the index." --data "$large"
run search "brand new" --data "$large"
expectOut "a set changed since the index" "en-large.mwh	A brand new advice for the index."
run favorite "Advice number 17, repeated to fill the set with something of a usual length." --data "$large"
expect "favorite by the whole text" 0
run list --data "$large" --favorites --set en-large.mwh
contains "a mark since the index" "$out" "Advice number 17, repeated"
rm "$large/fr-sons-et-studio.mwh"
run list --data "$large" --language fr
expect "a set removed since the index" 1
printf 'damaged' >"$index"
run search "number 5999" --data "$large"
expectOut "a damaged index" "en-large.mwh	Advice number 5999, repeated to fill the set with something of a usual length."
head -c 4000 /dev/urandom >"$index"
run list --data "$large" --favorites
expect "a random index" 0
run list --data "$data"
[ ! -e "$data/.musewheeler-sets.index" ] || fail "a small library got an index"
echo "ok: the index of a large library follows its sets"

#-------------------------------------------------------------------------------------------------------
# check keeps what it measured of the fonts in a record in the user's cache folder (MUSEWHEELER_HOME here): a
# second check answers from it as the first did and leaves it as it was; a record damaged by hand is measured
# again, with the same answers, and written anew; a record that cannot be written changes no answer.
recordHome="$work/record-home"
record="$recordHome/card-text-widths"
checkWithRecord()
{
    MUSEWHEELER_HOME=$(shownPath "$1") run check "$shipped/en-studio-desk.mwh" "$edge" "$fixtures/broken.mwh" \
        "$work/not-a-set.txt"
}
printf 'Just some words,\nno set at all.\n' >"$work/not-a-set.txt"
checkWithRecord "$recordHome"
firstOut="$out"
firstRc=$rc
contains "check with a record" "$out" "edge.mwh:"
contains "check with a record" "$out" "broken.mwh:"
if [ -s "$record" ]; then
    cp "$record" "$work/record.first"
    recordStamp=$(stat -c '%i %y' "$record")

    checkWithRecord "$recordHome"
    [ "$rc:$out" = "$firstRc:$firstOut" ] || fail "a second check with the record printed
$out"
    cmp -s "$record" "$work/record.first" || fail "a second check changed the record"
    [ "$(stat -c '%i %y' "$record")" = "$recordStamp" ] || fail "a second check wrote the record again"

    size=$(stat -c %s "$record")
    for damage in "truncated" "a byte changed" "emptied"; do
        case "$damage" in
            truncated) head -c $((size / 2)) "$work/record.first" >"$record" ;;
            "a byte changed")
                cp "$work/record.first" "$record"
                byte=$((0x$(od -An -tx1 -j $((size - 20)) -N1 "$record" | tr -d ' ') ^ 0x40))
                # shellcheck disable=SC2059
                printf "$(printf '\\%03o' "$byte")" |
                    dd of="$record" bs=1 seek=$((size - 20)) conv=notrunc 2>/dev/null ;;
            emptied) : >"$record" ;;
        esac
        cmp -s "$record" "$work/record.first" && fail "the record was not damaged ($damage)"
        checkWithRecord "$recordHome"
        [ "$rc:$out" = "$firstRc:$firstOut" ] || fail "check with a record $damage printed
$out"
        cmp -s "$record" "$work/record.first" || fail "a record $damage was not written anew as it was"
    done
else
    fail "check made no record of its measure in $recordHome"
fi

# A file where the cache folder should be: no record, the same answers.
printf 'no folder' >"$work/record-file"
checkWithRecord "$work/record-file"
[ "$rc:$out" = "$firstRc:$firstOut" ] || fail "check without a record to write printed
$out"
echo "ok: check answers the same from its record, keeps a good one and writes a damaged one anew"

#-------------------------------------------------------------------------------------------------------
if [ "$failures" -gt 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "PASS"
