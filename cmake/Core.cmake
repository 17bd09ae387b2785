# The program's classes are compiled once, in MusewheelerClasses, against the toolkit's headers only, and the
# toolkit's modules once, in MusewheelerToolkit (cmake/Toolkit.cmake); MusewheelerCore adds the classes that
# exist only for the standalone application (the application object and its window).

include (cmake/Toolkit.cmake)

# The program's layers from the bottom up (tools/check-layers.sh keeps their includes pointing downward),
# then the terminal companion's classes, which the tests exercise too.
set (musewheelerClassFolders base advice settings widgets dialogs options editor main cli)
set (musewheelerClassSources)
foreach (folder IN LISTS musewheelerClassFolders)
    file (GLOB folderSources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp"
                                               "${PROJECT_SOURCE_DIR}/src/${folder}/*.h")
    list (APPEND musewheelerClassSources ${folderSources})
endforeach()
# Each layer's platform code sits in a folder of its own per platform, behind a header of the layer.
if (WIN32)
    set (musewheelerPlatformFolder windows)
else()
    set (musewheelerPlatformFolder posix)
endif()
foreach (folder IN LISTS musewheelerClassFolders)
    file (GLOB folderSources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${folder}/${musewheelerPlatformFolder}/*.cpp")
    list (APPEND musewheelerClassSources ${folderSources})
endforeach()
# musewheeler-sets' entry point belongs to its executable alone.
list (REMOVE_ITEM musewheelerClassSources "${PROJECT_SOURCE_DIR}/src/cli/SetsMain.cpp")

add_library (MusewheelerClasses OBJECT ${musewheelerClassSources})

# The toolkit's headers and definitions; its compiled modules reach the products through the classes.
target_link_libraries (MusewheelerClasses PUBLIC MusewheelerToolkit)
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
      "${PROJECT_SOURCE_DIR}/src/app/*.cpp" "${PROJECT_SOURCE_DIR}/src/app/*.h"
      "${PROJECT_SOURCE_DIR}/src/app/${musewheelerPlatformFolder}/*.cpp")
list (REMOVE_ITEM musewheelerApplicationSources "${PROJECT_SOURCE_DIR}/src/app/Main.cpp")

add_library (MusewheelerCore STATIC ${musewheelerApplicationSources})

include (cmake/Assets.cmake)

target_link_libraries (MusewheelerCore PUBLIC MusewheelerClasses)
target_compile_definitions (MusewheelerCore PUBLIC JUCE_STANDALONE_APPLICATION=1)
# Compiled as the classes are, so that it shares their precompiled header (cmake/PrecompiledHeaders.cmake);
# hidden symbols cost an executable nothing.
set_target_properties (MusewheelerCore PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
