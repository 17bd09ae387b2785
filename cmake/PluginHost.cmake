# A plugin host for the tests, on the toolkit's VST3 and LV2 hosting. It loads the plugins as a separate
# product would, never their classes: it links the toolkit's modules as every product compiles them
# (cmake/Toolkit.cmake: gui_extra among them, for the plugins' editors embedded through XEmbed) and compiles
# the audio modules itself, with the hosting code the plugin leaves out.
add_executable (PluginHost "${PROJECT_SOURCE_DIR}/tests/plugin/host/PluginHost.cpp")
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
