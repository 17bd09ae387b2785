find_package (GTest REQUIRED)
include (GoogleTest)

file (GLOB_RECURSE musewheelerTestSources CONFIGURE_DEPENDS
      "${PROJECT_SOURCE_DIR}/tests/*.cpp" "${PROJECT_SOURCE_DIR}/tests/*.h")
list (FILTER musewheelerTestSources EXCLUDE REGEX "/tests/(e2e|plugin|package)/")
# The helpers each system has its own way of (tests/posix, tests/windows): the other system's are left out.
if (WIN32)
    list (FILTER musewheelerTestSources EXCLUDE REGEX "/tests/posix/")
else()
    list (FILTER musewheelerTestSources EXCLUDE REGEX "/tests/windows/")
endif()

add_executable (MusewheelerTests ${musewheelerTestSources})
target_link_libraries (MusewheelerTests PRIVATE MusewheelerCore GTest::gtest)
target_include_directories (MusewheelerTests PRIVATE "${PROJECT_SOURCE_DIR}/tests")
# The test program's folder is passed in too, for the test that the program finds its own folder.
set (musewheelerTestProgramDir "${PROJECT_BINARY_DIR}/tests/bin")
target_compile_definitions (MusewheelerTests PRIVATE
    MUSEWHEELER_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
    MUSEWHEELER_SHIPPED_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
    MUSEWHEELER_TEST_PROGRAM_DIR="${musewheelerTestProgramDir}")
set_target_properties (MusewheelerTests PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${musewheelerTestProgramDir}")

# Cross-built, the tests run on Windows (under Wine here) through tools/windows-check.sh, not through ctest.
if (CMAKE_CROSSCOMPILING)
    include (cmake/WindowsTests.cmake)
    return()
endif()

# Every test that needs a data folder or a settings file works in a program folder of its own, so all of
# them run freely in parallel.
gtest_discover_tests (MusewheelerTests DISCOVERY_TIMEOUT 60)

# The end-to-end scripts run in parallel with each other and with the rest: each works on an X display, a
# program folder and temporary files of its own (tests/e2e/lib/display.sh picks a free display). Mostly
# waiting on the program, they are started first (COST), so that the unit tests fill the time around them.
set (musewheelerEndToEndCost 1000)
file (GLOB musewheelerEndToEndTests CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/e2e/*.sh")
foreach (script IN LISTS musewheelerEndToEndTests)
    get_filename_component (scriptName "${script}" NAME_WE)
    add_test (NAME "e2e.${scriptName}"
              COMMAND bash "${script}" "$<TARGET_FILE:Musewheeler>" "${PROJECT_SOURCE_DIR}")
    set_tests_properties ("e2e.${scriptName}" PROPERTIES TIMEOUT 300 LABELS e2e COST ${musewheelerEndToEndCost})
endforeach()

# Sanitized, the program is slow enough that a key typed as the main menu closes is still taken by the menu's
# closing: keyboard-focus.sh waits for the editor there (docs/build-times.md).
if (MUSEWHEELER_SANITIZERS)
    set_tests_properties (e2e.keyboard-focus PROPERTIES ENVIRONMENT MUSEWHEELER_E2E_SANITIZED=1)
endif()

# A key held in Xlib's queue as the toolkit's own calls hold one, and the program's pump that hands it on,
# in a window of their own under Xvfb.
juce_add_gui_app (HeldInputHarness PRODUCT_NAME "HeldInputHarness" VERSION "${PROJECT_VERSION}")
target_sources (HeldInputHarness PRIVATE "${PROJECT_SOURCE_DIR}/tests/e2e/harness/HeldInputHarness.cpp")
target_link_libraries (HeldInputHarness PRIVATE MusewheelerCore)
add_test (NAME e2e.held-input
          COMMAND bash "${PROJECT_SOURCE_DIR}/tests/e2e/harness/held-input.sh" "$<TARGET_FILE:HeldInputHarness>"
                  "${PROJECT_SOURCE_DIR}")
set_tests_properties (e2e.held-input PROPERTIES TIMEOUT 60 LABELS e2e)

# The icon writer runs in every build of the program, where a leak report or an assertion at its exit would
# scroll by unread.
add_test (NAME tools.appIconWriter
          COMMAND MusewheelerAppIcon "${PROJECT_BINARY_DIR}/tests/app-icon-check.png" 64)
set_tests_properties (tools.appIconWriter PROPERTIES FAIL_REGULAR_EXPRESSION "Leaked objects|JUCE Assertion")

# musewheeler-sets run as a process on the fixtures, as a user runs it.
add_test (NAME cli.setsCommand
          COMMAND bash "${PROJECT_SOURCE_DIR}/tests/cli/sets-command.sh" "$<TARGET_FILE:MusewheelerSets>"
                  "${PROJECT_SOURCE_DIR}")
set_tests_properties (cli.setsCommand PROPERTIES TIMEOUT 120)

# The plugins as LV2 tools and VST3 hosts first see them.
if (MUSEWHEELER_PLUGIN)
    include (cmake/PluginTests.cmake)
    gtest_discover_tests (MusewheelerPluginTests DISCOVERY_TIMEOUT 60 TEST_PREFIX "plugin.")

    add_test (NAME plugin.check
              COMMAND bash "${PROJECT_SOURCE_DIR}/tests/plugin/plugin-check.sh"
                      "$<TARGET_FILE_DIR:MusewheelerPlugin_LV2>" "$<TARGET_FILE:MusewheelerPlugin_VST3>"
                      "${MUSEWHEELER_LV2_URI}")
    set_tests_properties (plugin.check PROPERTIES TIMEOUT 120)

    # The LV2 plugin in jalv under Xvfb, on a JACK server with the dummy driver. Not with the sanitizers: jalv
    # is not built with them, and a plugin built with them loads only into a program that is; the test host
    # below is.
    if (NOT MUSEWHEELER_SANITIZERS)
        add_test (NAME e2e.plugin-jalv
                  COMMAND bash "${PROJECT_SOURCE_DIR}/tests/plugin/jalv-smoke.sh"
                          "$<TARGET_FILE_DIR:MusewheelerPlugin_LV2>" "${MUSEWHEELER_LV2_URI}" "${PROJECT_SOURCE_DIR}")
        set_tests_properties (e2e.plugin-jalv PROPERTIES TIMEOUT 180 LABELS e2e COST ${musewheelerEndToEndCost})
    endif()

    # make install puts the plugins into ~/.vst3 and ~/.lv2 when they are built.
    set_tests_properties (e2e.install PROPERTIES ENVIRONMENT
        "MUSEWHEELER_PLUGIN_FOLDER=$<TARGET_FILE_DIR:MusewheelerPlugin_LV2>/../..;MUSEWHEELER_LV2_URI=${MUSEWHEELER_LV2_URI}")

    # Both plugins in the toolkit's own VST3 and LV2 hosting, under Xvfb with a window manager.
    include (cmake/PluginHost.cmake)
    add_test (NAME e2e.plugin-host
              COMMAND bash "${PROJECT_SOURCE_DIR}/tests/plugin/plugin-host.sh" "$<TARGET_FILE:PluginHost>"
                      "$<TARGET_FILE_DIR:MusewheelerPlugin_VST3>/../.." "$<TARGET_FILE_DIR:MusewheelerPlugin_LV2>"
                      "${MUSEWHEELER_LV2_URI}" "${PROJECT_SOURCE_DIR}")
    # The host's own waits for a settled card are the tightest of the suite, and miss on a loaded machine: it
    # runs alone (first, by its cost), the other tests side by side after it.
    set_tests_properties (e2e.plugin-host PROPERTIES TIMEOUT 480 LABELS e2e COST ${musewheelerEndToEndCost}
                                                     RUN_SERIAL TRUE)
endif()

# No source includes from a layer above its own.
add_test (NAME tools.layers COMMAND bash "${PROJECT_SOURCE_DIR}/tools/check-layers.sh" "${PROJECT_SOURCE_DIR}")
