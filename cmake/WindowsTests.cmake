# Cross-built for Windows, the tests run under Wine through tests/windows/windows-check.sh rather than through
# ctest: the unit tests, and with the plugin its own unit tests and the test host, which loads the VST3 as a
# Windows host does.
if (MUSEWHEELER_PLUGIN)
    include (cmake/PluginTests.cmake)
    include (cmake/PluginHost.cmake)
endif()
