#!/bin/bash
# A compiler launcher that records each compile's times, for docs/build-times.md's CPU split:
#   cmake ... -DCMAKE_CXX_COMPILER_LAUNCHER="/path/tools/time-compiles.sh;/path/log.txt" (and the same for C)
# appends "wall user system object" to the log for every compile (a line per object; linking is not
# timed). tools/compile-split.sh sums the log by kind of source.
log="$1"
shift
object=""
previous=""
for argument in "$@"; do
    [ "$previous" = "-o" ] && object="$argument"
    previous="$argument"
done
exec /usr/bin/time -a -o "$log" -f "%e %U %S $object" "$@"
