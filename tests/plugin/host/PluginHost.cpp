// A host for the built plugins, on the toolkit's own VST3 and LV2 hosting: it loads them as a DAW does,
// plays audio and a note through them, moves their state from one instance to another, and shows their
// editors on the desktop, where screenshots check what the card looks like.
// Usage: PluginHost [gtest options] VST3_BUNDLE LV2_FOLDER LV2_URI
// LV2_FOLDER, holding Musewheeler.lv2, must be ~/.lv2, where the toolkit's LV2 hosting looks. It needs an
// X display with a window manager (tests/plugin/plugin-host.sh gives both).

#include "PluginHostTest.h"

#include <iostream>

namespace plugin_host
{
INSTANTIATE_TEST_SUITE_P (Formats, PluginHostTest,
                          ::testing::Values (juce::String ("VST3"), juce::String ("LV2")),
                          [] (const ::testing::TestParamInfo<juce::String>& formatName)
                          { return formatName.param.toStdString(); });
} // namespace plugin_host

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    if (argc != 4)
    {
        std::cerr << "Usage: PluginHost [gtest options] VST3_BUNDLE LV2_FOLDER LV2_URI\n";
        return 2;
    }

    plugin_host::pluginPaths = { argv[1], argv[2], argv[3] };
    plugin_host::environment = new plugin_host::HostEnvironment();
    ::testing::AddGlobalTestEnvironment (plugin_host::environment);
    return RUN_ALL_TESTS();
}
