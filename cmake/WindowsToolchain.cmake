# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the POSIX-thread flavour, which the toolkit's
# std::thread and std::mutex need). The libraries Debian has no MinGW build of are made by
# tools/windows-sysroot.sh into MUSEWHEELER_WINDOWS_SYSROOT.
set (CMAKE_SYSTEM_NAME Windows)
set (CMAKE_SYSTEM_PROCESSOR x86_64)

set (mingwHost x86_64-w64-mingw32)
set (CMAKE_C_COMPILER ${mingwHost}-gcc-posix)
set (CMAKE_CXX_COMPILER ${mingwHost}-g++-posix)
set (CMAKE_RC_COMPILER ${mingwHost}-windres)

set (MUSEWHEELER_WINDOWS_SYSROOT "" CACHE PATH "The libraries built for Windows by tools/windows-sysroot.sh")
set (CMAKE_FIND_ROOT_PATH /usr/${mingwHost} "${MUSEWHEELER_WINDOWS_SYSROOT}")
set (CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set (CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set (CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The toolkit's CMake package is the build machine's (its juceaide runs here); GoogleTest's is the sysroot's.
set (CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
execute_process (COMMAND dpkg-architecture -qDEB_HOST_MULTIARCH
                 OUTPUT_VARIABLE buildMultiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
list (APPEND CMAKE_PREFIX_PATH "/usr/lib/${buildMultiarch}/cmake")

# Only system DLLs beside the programs and the plugin: the compiler's runtime goes in statically.
set (CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set (CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set (CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
