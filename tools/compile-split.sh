#!/bin/bash
# The CPU time of a build's compiles by kind of source, from the log of tools/time-compiles.sh: the toolkit's
# modules per target, the precompiled headers, the program's sources, the tests, the rest.
# Usage: compile-split.sh LOG
awk '
{
    cpu = $2 + $3
    object = $4
    target = object
    sub(/^.*CMakeFiles\//, "", target)
    sub(/\.dir\/.*$/, "", target)
    if (object ~ /\/usr\/share\/juce\/modules\//) {
        module = object
        sub(/^.*\/usr\/share\/juce\/modules\/[a-z_]*\//, "", module)
        sub(/\.cpp\.o$/, "", module)
        kind = "toolkit modules"
        modules[module] += cpu
    } else if (object ~ /cmake_pch/) {
        kind = "precompiled headers"
    } else if (object ~ /\/tests\//) {
        kind = "tests"
    } else if (object ~ /\/src\//) {
        kind = "program sources"
    } else {
        kind = "other"
    }
    byKind[kind] += cpu
    byTarget[kind " in " target] += cpu
    total += cpu
    count[kind]++
}
END {
    printf "%-40s %8s %6s %s\n", "kind", "CPU s", "share", "objects"
    for (k in byKind) printf "%-40s %8.1f %5.1f%% %d\n", k, byKind[k], 100 * byKind[k] / total, count[k]
    printf "%-40s %8.1f\n\n", "all compiles", total
    for (t in byTarget) printf "  %-60s %8.1f\n", t, byTarget[t]
    printf "\n"
    for (m in modules) printf "  module %-52s %8.1f\n", m, modules[m]
}' "$1" | sort -t'|' -k1,1
