# The pictures drawn by the set editor's advice buttons, embedded in the library as Images::*_png.
# They are made by tools/IconGenerator.cpp and committed; `make icons` draws them again.
juce_add_binary_data (MusewheelerAssets
    HEADER_NAME "MusewheelerImages.h"
    NAMESPACE Images
    SOURCES
        "${PROJECT_SOURCE_DIR}/src/widgets/icons/newitem.png"
        "${PROJECT_SOURCE_DIR}/src/widgets/icons/duplicateitem.png"
        "${PROJECT_SOURCE_DIR}/src/widgets/icons/deleteitem.png")

# Hidden like the classes that use them, so that a plugin does not export them.
set_target_properties (MusewheelerAssets PROPERTIES POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden)
target_link_libraries (MusewheelerClasses PUBLIC MusewheelerAssets)

# The generator links the toolkit alone, not the classes, so that it does not need the pictures it draws.
add_executable (MusewheelerIconGenerator EXCLUDE_FROM_ALL "${PROJECT_SOURCE_DIR}/tools/IconGenerator.cpp")
target_link_libraries (MusewheelerIconGenerator PRIVATE MusewheelerToolkit)
target_compile_definitions (MusewheelerIconGenerator PRIVATE JUCE_STANDALONE_APPLICATION=1)

add_custom_target (icons
    COMMAND MusewheelerIconGenerator "${PROJECT_SOURCE_DIR}/src/widgets/icons"
    COMMENT "Drawing the button icons into src/widgets/icons"
    VERBATIM)
