# The program's classes are compiled once, in MusewheelerClasses, against the toolkit's headers only. The
# toolkit's modules are compiled by each product with its own settings: MusewheelerCore for the program (a
# standalone application) and, when it is built, the plugin (the plugin client). The classes that exist
# only for the standalone application (the application object and its window) stay in MusewheelerCore.

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
    juce::juce_recommended_warning_flags
    juce::pkgconfig_JUCE_IMG_LINUX_DEPS)

# The program's layers from the bottom up (tools/check-layers.sh keeps their includes pointing downward),
# then the terminal companion's classes, which the tests exercise too.
set (musewheelerClassFolders base advice settings widgets dialogs options editor main cli)
set (musewheelerClassSources)
foreach (folder IN LISTS musewheelerClassFolders)
    file (GLOB folderSources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp"
                                               "${PROJECT_SOURCE_DIR}/src/${folder}/*.h")
    list (APPEND musewheelerClassSources ${folderSources})
endforeach()
# musewheeler-sets' entry point belongs to its executable alone.
list (REMOVE_ITEM musewheelerClassSources "${PROJECT_SOURCE_DIR}/src/cli/SetsMain.cpp")

add_library (MusewheelerClasses OBJECT ${musewheelerClassSources})

# The headers and definitions of the modules the classes use, without their sources.
set (musewheelerClassModules juce::juce_core juce::juce_data_structures juce::juce_events juce::juce_graphics
                             juce::juce_gui_basics)
foreach (module IN LISTS musewheelerClassModules)
    target_include_directories (MusewheelerClasses PRIVATE $<TARGET_PROPERTY:${module},INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_definitions (MusewheelerClasses PRIVATE $<TARGET_PROPERTY:${module},INTERFACE_COMPILE_DEFINITIONS>)
endforeach()

target_link_libraries (MusewheelerClasses PUBLIC MusewheelerToolkitSettings)
target_include_directories (MusewheelerClasses PUBLIC "${PROJECT_SOURCE_DIR}/src")
# Hidden, so that a plugin exports only its entry points: a host process may hold other plugins with
# classes of the same names, and exported ones would stand in for each other.
set_target_properties (MusewheelerClasses PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)

# The program's library: the classes, the application-only classes and the modules, for the program, the
# tests, the benchmarks, the fuzzers and musewheeler-sets.
file (GLOB musewheelerApplicationSources CONFIGURE_DEPENDS
      "${PROJECT_SOURCE_DIR}/src/app/*.cpp" "${PROJECT_SOURCE_DIR}/src/app/*.h")
list (REMOVE_ITEM musewheelerApplicationSources "${PROJECT_SOURCE_DIR}/src/app/Main.cpp")

add_library (MusewheelerCore STATIC ${musewheelerApplicationSources})

include (cmake/Assets.cmake)

target_link_libraries (MusewheelerCore
    PRIVATE juce::juce_gui_basics
    PUBLIC  MusewheelerClasses)

target_compile_definitions (MusewheelerCore
    PUBLIC  JUCE_STANDALONE_APPLICATION=1
    INTERFACE $<TARGET_PROPERTY:MusewheelerCore,COMPILE_DEFINITIONS>)

target_include_directories (MusewheelerCore
    INTERFACE $<TARGET_PROPERTY:MusewheelerCore,INCLUDE_DIRECTORIES>)

set_target_properties (MusewheelerCore PROPERTIES POSITION_INDEPENDENT_CODE ON)
