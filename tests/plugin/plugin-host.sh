#!/bin/bash
# The plugins in the test host (PluginHost, on the toolkit's VST3 and LV2 hosting) under Xvfb with a window
# manager, on copies of the bundles, where each instance keeps its settings file, and an empty user folder:
# the plugins then read the sets shipped in their bundles. HOME is a new folder, whose ~/.lv2, where the
# toolkit's LV2 hosting looks, holds only the copy, and LV2_PATH names that folder alone: the plugins the
# user installed stay out of the run, and so do those installed on the machine (a package of the plugin
# installed in /usr/lib/lv2 meanwhile, as the package check does, would give lilv the same URI twice).
# Usage: plugin-host.sh HOST VST3_BUNDLE LV2_BUNDLE LV2_URI SOURCE_DIR [gtest options]
set -uo pipefail

host=$(realpath "$1")
vst3Bundle=$(realpath "$2")
lv2Bundle=$(realpath "$3")
uri="$4"
sourceDir="$5"
shift 5

source "$sourceDir/tests/e2e/lib/display.sh"

work=$(mktemp -d /tmp/musewheeler-host.XXXXXX)

cleanUp()
{
    stopDisplay
    rm -rf "$work"
}
trap cleanUp EXIT

mkdir -p "$work/vst3" "$work/user/.lv2" "$work/home"
cp -r "$vst3Bundle" "$work/vst3/"
cp -r "$lv2Bundle" "$work/user/.lv2/"
export HOME="$work/user" MUSEWHEELER_HOME="$work/home" XDG_DATA_HOME="$work/user/.local/share"
export LV2_PATH="$work/user/.lv2"

startDisplay

# Both formats in one process, as a host that has loaded both keeps them.
"$host" "$@" "$work/vst3/$(basename "$vst3Bundle")" "$work/user/.lv2" "$uri"
