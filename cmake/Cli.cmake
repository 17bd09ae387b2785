# musewheeler-sets, the program's companion for the terminal. It lies beside the program, in the build as
# once installed, so that its default data folder is the program's.
add_executable (MusewheelerSets "${PROJECT_SOURCE_DIR}/src/cli/SetsMain.cpp")
target_link_libraries (MusewheelerSets PRIVATE MusewheelerCore)
set_target_properties (MusewheelerSets PROPERTIES
    OUTPUT_NAME "musewheeler-sets"
    RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/Musewheeler_artefacts/$<CONFIG>")
