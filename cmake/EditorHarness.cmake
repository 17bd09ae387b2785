# The set editor alone in a window, with a small data folder beside it, for trying it by hand; not
# installed, not run by the tests, and built only when asked for (`--target EditorHarness`).
juce_add_gui_app (EditorHarness
    PRODUCT_NAME "EditorHarness"
    VERSION "${PROJECT_VERSION}"
    COMPANY_NAME "The Musewheeler developers")

target_sources (EditorHarness PRIVATE "${PROJECT_SOURCE_DIR}/tools/EditorHarness.cpp")
target_link_libraries (EditorHarness PRIVATE MusewheelerCore)
set_target_properties (EditorHarness PROPERTIES EXCLUDE_FROM_ALL TRUE)

# Copied afresh whenever the harness is linked, so that the harness always starts on the same sets.
add_custom_command (TARGET EditorHarness POST_BUILD
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "$<TARGET_FILE_DIR:EditorHarness>/data"
    COMMAND "${CMAKE_COMMAND}" -E copy_directory "${PROJECT_SOURCE_DIR}/tools/editor-harness-data"
            "$<TARGET_FILE_DIR:EditorHarness>/data"
    VERBATIM)
