# A plugin host for the tests, on the toolkit's VST3 and LV2 hosting. It compiles the toolkit's modules with
# a host's settings of its own: it loads the plugins as a separate product would, never their classes.
# Listed in the order the tests run: the editors open once loading and state have warmed the process up,
# as a host's first editor does.
set (pluginHostSources PluginHost.cpp LoadingTests.cpp StateTests.cpp EditorTests.cpp PopUpTests.cpp
                       HostTestHelpers.h PluginHostTest.h)
list (TRANSFORM pluginHostSources PREPEND "${PROJECT_SOURCE_DIR}/tests/plugin/host/")
add_executable (PluginHost ${pluginHostSources})

target_link_libraries (PluginHost PRIVATE
    juce::juce_audio_processors
    juce::juce_recommended_config_flags
    juce::juce_recommended_warning_flags
    juce::pkgconfig_JUCE_IMG_LINUX_DEPS
    GTest::gtest)

# The hosting sources come with Debian's toolkit: the VST3 SDK and lilv with serd and sord, compiled by
# juce_audio_processors' own sources. The message loop runs inside the tests, so modal loops are allowed.
target_compile_definitions (PluginHost PRIVATE
    JUCE_PLUGINHOST_VST3=1
    JUCE_PLUGINHOST_LV2=1
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    DONT_SET_USING_JUCE_NAMESPACE=1
    JUCE_APPLICATION_NAME_STRING="PluginHost"
    JUCE_APPLICATION_VERSION_STRING="${PROJECT_VERSION}")

set_target_properties (PluginHost PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/tests/bin")
add_dependencies (PluginHost plugins)
