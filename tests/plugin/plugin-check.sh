#!/bin/bash
# The built plugins as LV2 tools and VST3 hosts first see them: the LV2 bundle lists the plugin under its
# https URI and nothing else, its Turtle files parse, lv2_validate finds no error beyond the known ones of
# the toolkit's generated files, and each binary exports the entry points a host looks up and no other
# function.
# Usage: plugin-check.sh LV2_BUNDLE VST3_BINARY EXPECTED_URI
set -uo pipefail

bundle=$(realpath "$1")
vst3="$2"
expectedUri="$3"
failures=0

fail()
{
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in lv2ls sordi lv2_validate nm; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

[ -d "$bundle" ] || { echo "FAIL: no LV2 bundle at $bundle" >&2; exit 1; }
[ -f "$vst3" ] || { echo "FAIL: no VST3 binary at $vst3" >&2; exit 1; }

# lv2ls searches only LV2_PATH when it is set: the bundle's own folder, nothing installed on the machine.
uris=$(LV2_PATH="$(dirname "$bundle")" lv2ls)
[ "$uris" = "$expectedUri" ] || fail "lv2ls lists '$uris', not exactly '$expectedUri'"

ttlFiles=("$bundle"/*.ttl)
[ -f "${ttlFiles[0]}" ] || fail "the bundle holds no Turtle file"

for ttl in "${ttlFiles[@]}"; do
    # A message on standard error fails the file too, a warning as much as an error.
    if ! message=$(sordi "$ttl" "file://$ttl" 2>&1 >/dev/null) || [ -n "$message" ]; then
        fail "sordi does not parse $(basename "$ttl"): $message"
    fi
done

# What hosts show of the bundle: each preset under a name (an empty label lists a blank preset), and the
# author's address as a mail address (without mailto: it reads as a file beside the bundle).
triples=$(for ttl in "${ttlFiles[@]}"; do sordi "$ttl" "file://$ttl" 2>/dev/null; done)
presetPattern='^<[^>]*> <http://www.w3.org/1999/02/22-rdf-syntax-ns#type> <http://lv2plug.in/ns/ext/presets#Preset> \.$'
for preset in $(grep -E "$presetPattern" <<<"$triples" | cut -d' ' -f1); do
    label=$(grep -F "$preset <http://www.w3.org/2000/01/rdf-schema#label> " <<<"$triples" | sed 's/^[^"]*"\(.*\)".*/\1/')
    [ -n "$label" ] || fail "the preset $preset has no name"
done
grep -q '<http://lv2plug.in/ns/ext/presets#Preset>' <<<"$triples" || fail "no preset in the bundle"
mailboxes=$(grep -F '<http://xmlns.com/foaf/0.1/mbox>' <<<"$triples" | cut -d' ' -f3)
[ -n "$mailboxes" ] || fail "no author's mail address"
for mailbox in $mailboxes; do
    [[ $mailbox == "<mailto:"* ]] || fail "the author's address $mailbox is not a mail address"
done

# lv2_validate prints each error as a block of lines (message, then subject, property and object); one
# line per error, the blank lines dropped, for comparison with the known ones.
errors=$(lv2_validate "${ttlFiles[@]}" 2>&1 |
         awk '/^error:/ { if (e != "") print e; e = $0; next }
              /^Found / { next }
              e != "" && NF > 0 { $1 = $1; e = e " | " $0 }
              END { if (e != "") print e }')

# The errors of the toolkit's generated files, each known and harmless:
known=(
    # dsp.ttl gives the plugin a doap:maintainer and a doap:release; lv2core.ttl makes every lv2:Plugin a
    # doap:Project through lv2:PluginBase, a step the validator does not take.
    "Subject not in domain <http://usefulinc.com/ns/doap#Project> \| $expectedUri \| http://usefulinc.com/ns/doap#maintainer \| [^|]*"
    "Subject not in domain <http://usefulinc.com/ns/doap#Project> \| $expectedUri \| http://usefulinc.com/ns/doap#release \| [^|]*"
    # ui.ttl names ui:noUserResize, a feature, among the UI's extension data too; hosts ignore extension
    # data they do not ask for.
    "Object not in range <http://lv2plug.in/ns/lv2core#ExtensionData> \| $expectedUri:UI \| http://lv2plug.in/ns/lv2core#extensionData \| http://lv2plug.in/ns/extensions/ui#noUserResize"
    # ui.ttl names opts:interface, extension data, among the UI's optional features too; an optional
    # feature a host does not know is skipped.
    "Object not in range <http://lv2plug.in/ns/lv2core#Feature> \| $expectedUri:UI \| http://lv2plug.in/ns/lv2core#optionalFeature \| http://lv2plug.in/ns/ext/options#interface"
    # dsp.ttl marks the Note and Draw parameters, whose steps are named, as enumerations (Draw as toggled
    # too) with lv2:portProperty, a property of ports that hosts read on parameters too (Ardour lists the
    # steps by name).
    "Subject not in domain <http://lv2plug.in/ns/lv2core#Port> \| $expectedUri:(note|draw) \| http://lv2plug.in/ns/lv2core#portProperty \| http://lv2plug.in/ns/lv2core#enumeration"
    "Subject not in domain <http://lv2plug.in/ns/lv2core#Port> \| $expectedUri:draw \| http://lv2plug.in/ns/lv2core#portProperty \| http://lv2plug.in/ns/lv2core#toggled"
    # The default preset stores the program number under the plugin's own Program property, which no
    # schema defines; only the plugin reads it.
    "Use of undefined property \| [^|]* \| $expectedUri:Program \| 0"
    "Property <$expectedUri:Program> has no label \| [^|]* \| $expectedUri:Program \| 0"
)

while IFS= read -r error; do
    [ -n "$error" ] || continue
    isKnown=0
    for pattern in "${known[@]}"; do
        if grep -qE "^error: $pattern$" <<<"$error"; then
            isKnown=1
            break
        fi
    done
    [ $isKnown = 1 ] && echo "known: $error" || fail "lv2_validate: $error"
done <<<"$errors"

# Each binary exports its format's entry points and no function of its own beside them: a host process may
# hold other plugins with classes of the same names, and exported ones would stand in for each other.
checkExportedFunctions()
{
    local binary="$1" expected="$2" exported
    exported=$(nm -D --defined-only "$binary" | awk '$2 == "T" { print $3 }' | sort | tr '\n' ' ')
    [ "$exported" = "$expected " ] || fail "$(basename "$binary") exports the functions '$exported', not '$expected'"
}

checkExportedFunctions "$vst3" "GetPluginFactory ModuleEntry ModuleExit"
checkExportedFunctions "$bundle/$(sed -n 's/.*lv2:binary <\([^>]*\)>.*/\1/p' "$bundle/manifest.ttl" | head -n 1)" \
    "lv2_descriptor lv2ui_descriptor"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "The plugins pass their checks"
