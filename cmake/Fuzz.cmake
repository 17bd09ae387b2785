# One libFuzzer executable per fuzz/*.cpp; the library and the toolkit's modules are instrumented for coverage,
# the targets link the driver.
if (NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message (FATAL_ERROR "The fuzzers need clang (CC=clang CXX=clang++)")
endif()

target_compile_options (MusewheelerToolkit PRIVATE -fsanitize=fuzzer-no-link)
target_compile_options (MusewheelerClasses PRIVATE -fsanitize=fuzzer-no-link)
target_compile_options (MusewheelerCore PRIVATE -fsanitize=fuzzer-no-link)

add_custom_target (fuzzers)
file (GLOB musewheelerFuzzSources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/fuzz/*.cpp")
foreach (source IN LISTS musewheelerFuzzSources)
    get_filename_component (fuzzName "${source}" NAME_WE)
    add_executable (${fuzzName} "${source}")
    target_link_libraries (${fuzzName} PRIVATE MusewheelerCore)
    target_compile_options (${fuzzName} PRIVATE -fsanitize=fuzzer)
    target_link_options (${fuzzName} PRIVATE -fsanitize=fuzzer)
    set_target_properties (${fuzzName} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/fuzz")
    add_dependencies (fuzzers ${fuzzName})
endforeach()
