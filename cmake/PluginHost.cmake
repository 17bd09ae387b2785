# A plugin host for the tests, on the toolkit's VST3 and LV2 hosting. It loads the plugins as a separate
# product would, never their classes: it links the toolkit's modules as every product compiles them
# (cmake/Toolkit.cmake: gui_extra among them, for the plugins' editors embedded through XEmbed) and compiles
# the audio modules itself, with the hosting code the plugin leaves out.
# Listed in the order the tests run: the editors open once loading and state have warmed the process up,
# as a host's first editor does.
set (pluginHostSources PluginHost.cpp LoadingTests.cpp StateTests.cpp ClosedWindowTests.cpp EditorTests.cpp
                       PopUpTests.cpp
                       HostTestHelpers.h PluginHostTest.h)
list (TRANSFORM pluginHostSources PREPEND "${PROJECT_SOURCE_DIR}/tests/plugin/host/")
add_executable (PluginHost ${pluginHostSources})
musewheeler_add_audio_modules (PluginHost)
target_link_libraries (PluginHost PRIVATE GTest::gtest)

# The hosting sources come with Debian's toolkit: the VST3 SDK and lilv with serd and sord, compiled by
# juce_audio_processors' own sources. The message loop runs inside the tests, so modal loops are allowed
# (MusewheelerToolkitSettings).
target_compile_definitions (PluginHost PRIVATE
    JUCE_PLUGINHOST_VST3=1
    JUCE_PLUGINHOST_LV2=1)

set_target_properties (PluginHost PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/tests/bin")
add_dependencies (PluginHost plugins)
