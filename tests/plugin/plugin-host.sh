#!/bin/bash
# The plugins in the test host (PluginHost, on the toolkit's VST3 and LV2 hosting) under Xvfb with a window
# manager, on copies of the bundles, where each instance keeps its settings file, and an empty user folder:
# the plugins then read the sets shipped in their bundles. HOME is empty too, so the plugins installed in
# ~/.vst3 or ~/.lv2 stay out of the run.
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

mkdir -p "$work/vst3" "$work/lv2" "$work/home" "$work/user"
cp -r "$vst3Bundle" "$work/vst3/"
cp -r "$lv2Bundle" "$work/lv2/"
export HOME="$work/user" MUSEWHEELER_HOME="$work/home" XDG_DATA_HOME="$work/user/.local/share"
unset LV2_PATH

startDisplay

"$host" "$@" "$work/vst3/$(basename "$vst3Bundle")" "$work/lv2" "$uri"
