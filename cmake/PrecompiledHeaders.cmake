# Precompiled headers (docs/build-times.md): nearly every source of the classes and the tests parses the
# toolkit's juce_gui_basics.h (and the tests GoogleTest's header), which is most of their compile time. Each
# header is parsed once per set of flags instead: a precompiled header serves only sources compiled with the
# flags it was made with (definitions it reads, position-independent code or not, visibility), so
# MusewheelerCore, compiled as the classes are, reuses theirs, and the test program has its own.
# -DMUSEWHEELER_PCH=OFF builds without them, to check that every source includes what it uses.
option (MUSEWHEELER_PCH "Build with precompiled headers" ON)

if (NOT MUSEWHEELER_PCH)
    return()
endif()

# A source that sets the toolkit's configuration before its first include (#define JUCE_..., such as
# JUCE_GUI_BASICS_INCLUDE_XHEADERS) must read the headers' text, not a header precompiled without it.
function (musewheeler_skip_precompiled_header_where_configured target)
    get_target_property (sources ${target} SOURCES)
    foreach (source IN LISTS sources)
        if (source MATCHES "\\.cpp$" AND IS_ABSOLUTE "${source}")
            file (STRINGS "${source}" configuration REGEX "^[ \t]*#[ \t]*define[ \t]+JUCE_")
            if (configuration)
                set_source_files_properties ("${source}" PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
            endif()
        endif()
    endforeach()
endfunction()

target_precompile_headers (MusewheelerClasses PRIVATE <juce_gui_basics/juce_gui_basics.h>)
target_precompile_headers (MusewheelerCore REUSE_FROM MusewheelerClasses)

if (MUSEWHEELER_TESTS)
    target_precompile_headers (MusewheelerTests PRIVATE <gtest/gtest.h> <juce_gui_basics/juce_gui_basics.h>)
endif()

# The plugin and its tests have too few sources for a precompiled header of their own to pay (measured: it
# cost as much as it saved).

foreach (target MusewheelerClasses MusewheelerCore MusewheelerTests)
    if (TARGET ${target})
        musewheeler_skip_precompiled_header_where_configured (${target})
    endif()
endforeach()

# GCC falls back on the headers' text without a word when a precompiled header does not fit a source's flags:
# the build says so instead.
if (CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    foreach (target MusewheelerClasses MusewheelerCore MusewheelerTests)
        if (TARGET ${target})
            target_compile_options (${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Winvalid-pch>)
        endif()
    endforeach()
endif()
