# The toolkit's modules, compiled once for every product of a build folder (docs/build-times.md).
#
# MusewheelerToolkit compiles juce_core, juce_data_structures, juce_events, juce_graphics, juce_gui_basics and
# juce_gui_extra with the settings below, and the program, musewheeler-sets, the tests, the benchmarks, the
# fuzzers, the plugin and the test plugin host all link it. On Linux these modules read nothing of what tells
# the products apart:
# - JUCE_STANDALONE_APPLICATION and the plugin client's JucePlugin_* are not read by their sources, except
#   JucePlugin_Name in gui_basics' accessibility (used by the Windows and macOS code only) and
#   JucePlugin_Build_Standalone around ResizableWindow's splash screen (both kinds of product take the same
#   branch, and JUCE_DISPLAY_SPLASH_SCREEN=0 makes it draw nothing);
# - the host's JUCE_PLUGINHOST_VST3 and JUCE_PLUGINHOST_LV2 are read by juce_audio_processors only;
# - gui_basics' X11 code supports XEmbed only when juce_gui_extra is available: the host shows the plugins'
#   editors through XEmbed (as the plugin's own editor is shown in hosts), so gui_extra is compiled here for
#   every product. In a program without embedded windows XEmbed's handlers find none and change nothing.
# What a plugin needs is kept for all: position-independent code, and hidden symbols, so that a plugin in a
# host process exports nothing but its entry points (tests/plugin/plugin-check.sh); an executable loses
# nothing by them. The audio modules differ between the plugin (its client settings) and the host (the
# hosting code): each compiles them itself (musewheeler_add_audio_modules).

# The toolkit settings the classes and every product share: a product that compiled the modules otherwise
# would disagree with the classes about the toolkit's declarations.
add_library (MusewheelerToolkitSettings INTERFACE)
target_compile_definitions (MusewheelerToolkitSettings INTERFACE
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    DONT_SET_USING_JUCE_NAMESPACE=1
    JUCE_APPLICATION_NAME_STRING="${PROJECT_NAME}"
    JUCE_APPLICATION_VERSION_STRING="${PROJECT_VERSION}")
target_link_libraries (MusewheelerToolkitSettings INTERFACE
    juce::juce_recommended_config_flags
    juce::juce_recommended_warning_flags)
if (WIN32)
    include (cmake/WindowsLibraries.cmake)
    target_link_libraries (MusewheelerToolkitSettings INTERFACE MusewheelerWindowsLibraries)
else()
    target_link_libraries (MusewheelerToolkitSettings INTERFACE juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
endif()

set (musewheelerToolkitModules juce_core juce_data_structures juce_events juce_graphics juce_gui_basics
                               juce_gui_extra)

# musewheeler_use_module_headers TARGET SCOPE MODULE...: the headers and definitions of the modules, without
# their sources (a target linking a module compiles its sources).
function (musewheeler_use_module_headers target scope)
    foreach (module IN LISTS ARGN)
        target_include_directories (${target} ${scope} $<TARGET_PROPERTY:juce::${module},INTERFACE_INCLUDE_DIRECTORIES>)
        target_compile_definitions (${target} ${scope} $<TARGET_PROPERTY:juce::${module},INTERFACE_COMPILE_DEFINITIONS>)
    endforeach()
endfunction()

# The modules' sources come in through juce::juce_gui_extra, which brings the modules it needs; linked
# privately, their sources stay here, and the libraries they need still reach whatever links the toolkit.
add_library (MusewheelerToolkit STATIC)
target_link_libraries (MusewheelerToolkit
    PRIVATE juce::juce_gui_extra
    PUBLIC  MusewheelerToolkitSettings)
musewheeler_use_module_headers (MusewheelerToolkit INTERFACE ${musewheelerToolkitModules})
set_target_properties (MusewheelerToolkit PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)

# musewheeler_add_audio_modules TARGET: juce_audio_basics and juce_audio_processors compiled by TARGET, with
# its own settings, on top of MusewheelerToolkit for the modules they need. The module targets are not
# linked: they would bring the sources of gui_extra and of the modules below it a second time.
function (musewheeler_add_audio_modules target)
    set (audioModules juce_audio_basics juce_audio_processors)
    foreach (module IN LISTS audioModules)
        get_target_property (moduleSources juce::${module} INTERFACE_SOURCES)
        target_sources (${target} PRIVATE ${moduleSources})
        # The modules' sources set their own configuration before including their headers: never behind a
        # precompiled header.
        set_source_files_properties (${moduleSources} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endforeach()
    musewheeler_use_module_headers (${target} PUBLIC ${audioModules})
    # The VST3 SDK's, lilv's and ARA's headers, which juce_audio_processors links for its users.
    target_link_libraries (${target} PUBLIC juce_vst3_headers juce_lilv_headers juce_ara_headers MusewheelerToolkit)
endfunction()
