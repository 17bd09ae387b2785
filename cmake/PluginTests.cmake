# The plugin's own classes, tested headless on the shared code that both formats wrap.
file (GLOB musewheelerPluginTestSources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/plugin/*.cpp"
      "${PROJECT_SOURCE_DIR}/tests/plugin/${musewheelerPlatformFolder}/*.cpp")
# The system's helpers the shared test headers call, without the system's own tests.
file (GLOB musewheelerPlatformTestHelpers CONFIGURE_DEPENDS
      "${PROJECT_SOURCE_DIR}/tests/${musewheelerPlatformFolder}/*.cpp")
list (FILTER musewheelerPlatformTestHelpers EXCLUDE REGEX "Tests\\.cpp$")
list (APPEND musewheelerPluginTestSources ${musewheelerPlatformTestHelpers})
add_executable (MusewheelerPluginTests ${musewheelerPluginTestSources} "${PROJECT_SOURCE_DIR}/tests/TestMain.cpp")
target_link_libraries (MusewheelerPluginTests PRIVATE MusewheelerPlugin GTest::gtest)
# The allocation functions called by the program's own code, the toolkit's included, go through the
# tests' AllocationCounter, which checks that the audio thread's work allocates nothing.
# operator new's mangled names tell the size of std::size_t: unsigned long, or unsigned long long on
# 64-bit Windows.
if (WIN32)
    set (musewheelerOperatorNews "--wrap=_Znwy,--wrap=_Znay")
else()
    set (musewheelerOperatorNews "--wrap=_Znwm,--wrap=_Znam")
endif()
target_link_options (MusewheelerPluginTests PRIVATE
    "LINKER:--wrap=malloc,--wrap=calloc,--wrap=realloc,${musewheelerOperatorNews}")
# The module headers as the shared code sees them, as the toolkit gives them to the format wrappers.
target_include_directories (MusewheelerPluginTests PRIVATE "${PROJECT_SOURCE_DIR}/tests"
                            $<TARGET_PROPERTY:MusewheelerPlugin,INCLUDE_DIRECTORIES>)
target_compile_definitions (MusewheelerPluginTests PRIVATE
    MUSEWHEELER_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
    MUSEWHEELER_SHIPPED_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
set_target_properties (MusewheelerPluginTests PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${musewheelerTestProgramDir}")
