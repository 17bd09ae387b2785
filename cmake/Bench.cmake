find_package (benchmark REQUIRED)

file (GLOB musewheelerBenchSources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/bench/*.cpp")
add_executable (MusewheelerBench ${musewheelerBenchSources})
target_link_libraries (MusewheelerBench PRIVATE MusewheelerCore benchmark::benchmark)
set_target_properties (MusewheelerBench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bench")
