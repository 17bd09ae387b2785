# The VST3 and LV2 plugins: the program's main screen as the editor of an audio effect that listens to MIDI.
# The shared-code target MusewheelerPlugin links the program's classes and the toolkit's modules as every
# product compiles them (cmake/Toolkit.cmake), compiles the audio modules with the plugin client's settings
# and the plugin's own classes, and the toolkit makes a target per format from it.

# The project has no web site of its own yet: this reserved example name stands in until it has, and a
# release build sets the real one. Hosts find the LV2 plugin by this address.
set (MUSEWHEELER_LV2_URI "https://musewheeler.example/plugin" CACHE STRING
     "The LV2 URI of the plugin, an http(s) address")

# Windows hosts load VST3; LV2 stays the Linux hosts' format.
if (WIN32)
    set (musewheelerPluginFormats VST3)
else()
    set (musewheelerPluginFormats VST3 LV2)
endif()

juce_add_plugin (MusewheelerPlugin
    PRODUCT_NAME "${PROJECT_NAME}"
    VERSION "${PROJECT_VERSION}"
    COMPANY_NAME "The Musewheeler developers"
    COMPANY_WEBSITE "https://musewheeler.example"
    COMPANY_EMAIL "mailto:maintainers@musewheeler.example"
    PLUGIN_MANUFACTURER_CODE Mswh
    PLUGIN_CODE Mswl
    DESCRIPTION "One piece of creative advice at a time"
    FORMATS ${musewheelerPluginFormats}
    IS_SYNTH FALSE
    NEEDS_MIDI_INPUT TRUE
    NEEDS_MIDI_OUTPUT FALSE
    IS_MIDI_EFFECT FALSE
    EDITOR_WANTS_KEYBOARD_FOCUS TRUE
    VST3_CATEGORIES Fx Tools
    LV2URI "${MUSEWHEELER_LV2_URI}"
    COPY_PLUGIN_AFTER_BUILD FALSE)

file (GLOB musewheelerPluginSources CONFIGURE_DEPENDS
      "${PROJECT_SOURCE_DIR}/src/plugin/*.cpp" "${PROJECT_SOURCE_DIR}/src/plugin/*.h"
      "${PROJECT_SOURCE_DIR}/src/plugin/${musewheelerPlatformFolder}/*.cpp")
target_sources (MusewheelerPlugin PRIVATE ${musewheelerPluginSources})

target_link_libraries (MusewheelerPlugin PRIVATE MusewheelerClasses)
musewheeler_add_audio_modules (MusewheelerPlugin)

# Debian's toolkit names the LV2 plugin after its product name unless the URI is defined before the
# wrapper's sources read their settings, whatever juce_add_plugin was given: hosts then find no plugin.
# Defined on the shared code, the LV2 wrapper sees it through it, and the shared code, which reads the same
# settings, stops warning about it.
target_compile_definitions (MusewheelerPlugin PUBLIC JucePlugin_LV2URI="${MUSEWHEELER_LV2_URI}")

# Debian's VST3 headers lack the VST2 ones the wrapper needs to stand in for a VST2 plugin; there is none.
target_compile_definitions (MusewheelerPlugin PUBLIC JUCE_VST3_CAN_REPLACE_VST2=0)

# The sets and help pages shipped inside each bundle, used when the user has no installed program folder:
# beside the binary in the LV2 bundle, in Contents/Resources in the VST3 bundle. As for the program, only
# set files not there yet are copied, so marks made in a built bundle survive the next build.
function (musewheeler_ship_sets formatTarget shippedFolder)
    add_custom_command (TARGET ${formatTarget} POST_BUILD
        COMMAND "${CMAKE_COMMAND}"
                "-DSOURCE_DIR=${PROJECT_SOURCE_DIR}/data"
                "-DDEST_DIR=${shippedFolder}/data"
                -P "${PROJECT_SOURCE_DIR}/cmake/CopyMissingFiles.cmake"
        COMMAND "${CMAKE_COMMAND}" -E copy_directory "${PROJECT_SOURCE_DIR}/help" "${shippedFolder}/help"
        VERBATIM)
endfunction()

if (TARGET MusewheelerPlugin_LV2)
    musewheeler_ship_sets (MusewheelerPlugin_LV2 "$<TARGET_FILE_DIR:MusewheelerPlugin_LV2>")
endif()
musewheeler_ship_sets (MusewheelerPlugin_VST3 "$<TARGET_FILE_DIR:MusewheelerPlugin_VST3>/../Resources")

list (TRANSFORM musewheelerPluginFormats PREPEND MusewheelerPlugin_ OUTPUT_VARIABLE musewheelerPluginTargets)
add_custom_target (plugins DEPENDS ${musewheelerPluginTargets})

# The package's check asks the installed tree for this URI.
file (WRITE "${PROJECT_BINARY_DIR}/lv2-uri.txt" "${MUSEWHEELER_LV2_URI}\n")
