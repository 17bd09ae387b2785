# The image and compression libraries Debian's toolkit headers take from the system, as Windows builds of
# them: libpng and libjpeg from tools/windows-sysroot.sh, zlib from Debian's libz-mingw-w64-dev. Static, so
# that the programs and the plugin need no DLL but Windows' own.
if (NOT IS_DIRECTORY "${MUSEWHEELER_WINDOWS_SYSROOT}/include")
    message (FATAL_ERROR "MUSEWHEELER_WINDOWS_SYSROOT ('${MUSEWHEELER_WINDOWS_SYSROOT}') holds no libraries: "
                         "run tools/windows-sysroot.sh into it first (make windows does)")
endif()

find_library (musewheelerWindowsZlib NAMES libz.a REQUIRED)

add_library (MusewheelerWindowsLibraries INTERFACE)
target_include_directories (MusewheelerWindowsLibraries SYSTEM INTERFACE "${MUSEWHEELER_WINDOWS_SYSROOT}/include")
target_link_libraries (MusewheelerWindowsLibraries INTERFACE
    "${MUSEWHEELER_WINDOWS_SYSROOT}/lib/libpng16.a"
    "${MUSEWHEELER_WINDOWS_SYSROOT}/lib/libjpeg.a"
    "${musewheelerWindowsZlib}")
