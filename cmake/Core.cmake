# Every class of the program lives in MusewheelerCore; the JUCE modules are compiled here and only here.
file (GLOB_RECURSE musewheelerCoreSources CONFIGURE_DEPENDS
      "${PROJECT_SOURCE_DIR}/src/*.cpp" "${PROJECT_SOURCE_DIR}/src/*.h")
list (FILTER musewheelerCoreSources EXCLUDE REGEX "/src/app/Main\\.cpp$|/src/cli/SetsMain\\.cpp$")

add_library (MusewheelerCore STATIC ${musewheelerCoreSources})

include (cmake/Assets.cmake)

target_link_libraries (MusewheelerCore
    PRIVATE juce::juce_gui_basics
    PUBLIC  juce::juce_recommended_config_flags
            juce::juce_recommended_warning_flags
            juce::pkgconfig_JUCE_IMG_LINUX_DEPS)

target_compile_definitions (MusewheelerCore
    PUBLIC  JUCE_STANDALONE_APPLICATION=1
            JUCE_WEB_BROWSER=0
            JUCE_USE_CURL=0
            JUCE_MODAL_LOOPS_PERMITTED=1
            JUCE_DISPLAY_SPLASH_SCREEN=0
            JUCE_REPORT_APP_USAGE=0
            DONT_SET_USING_JUCE_NAMESPACE=1
            JUCE_APPLICATION_NAME_STRING="${PROJECT_NAME}"
            JUCE_APPLICATION_VERSION_STRING="${PROJECT_VERSION}"
    INTERFACE $<TARGET_PROPERTY:MusewheelerCore,COMPILE_DEFINITIONS>)

target_include_directories (MusewheelerCore
    PUBLIC    "${PROJECT_SOURCE_DIR}/src"
    INTERFACE $<TARGET_PROPERTY:MusewheelerCore,INCLUDE_DIRECTORIES>)

set_target_properties (MusewheelerCore PROPERTIES POSITION_INDEPENDENT_CODE ON)
