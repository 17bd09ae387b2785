# Draws the tag picker into PNG files for the README (`make screenshots`); not installed, not run by the
# tests, and built only when asked for.
add_executable (OptionsGallery EXCLUDE_FROM_ALL "${PROJECT_SOURCE_DIR}/tools/OptionsGallery.cpp")
target_link_libraries (OptionsGallery PRIVATE MusewheelerCore)

# A folder of its own, with a copy of the shipped sets as the data folder beside the program.
set_target_properties (OptionsGallery PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/options-gallery")
add_custom_command (TARGET OptionsGallery POST_BUILD
    COMMAND "${CMAKE_COMMAND}" -E copy_directory "${PROJECT_SOURCE_DIR}/data"
            "$<TARGET_FILE_DIR:OptionsGallery>/data")
