# Lays out the Windows programs as they are shipped, in STAGE: Musewheeler.exe, musewheeler-sets.exe, help\
# and the shipped sets in SETS_FOLDER ("shipped" for the setup, which the program brings into "data" at each
# start; "data" for the portable zip), and with VST3_BUNDLE (the bundle the build made) the plugin's bundle
# the same way, its sets and help in Contents\Resources. README, when given, goes in as README.txt, and
# ICON, the program's icon for the setup's own windows, as setup.ico. The executables are stripped of their
# symbols with STRIP when given.
#
# cmake -DSTAGE=... -DSETS_FOLDER=shipped|data -DPROGRAM=... -DSETS_PROGRAM=... -DHELP=... -DSETS=...
#       [-DVST3_BUNDLE=...] [-DREADME=...] [-DICON=...] [-DSTRIP=...] -P stage.cmake
cmake_minimum_required (VERSION 3.22)

foreach (variable STAGE SETS_FOLDER PROGRAM SETS_PROGRAM HELP SETS)
    if (NOT DEFINED ${variable} OR "${${variable}}" STREQUAL "")
        message (FATAL_ERROR "stage.cmake needs ${variable}")
    endif()
endforeach()

function (copy_stripped source destination)
    get_filename_component (folder "${destination}" DIRECTORY)
    file (MAKE_DIRECTORY "${folder}")
    if (STRIP)
        execute_process (COMMAND "${STRIP}" --strip-unneeded -o "${destination}" "${source}"
                         COMMAND_ERROR_IS_FATAL ANY)
    else()
        file (COPY_FILE "${source}" "${destination}" ONLY_IF_DIFFERENT)
    endif()
endfunction()

# The sets and the help pages, as the program finds them beside itself.
function (copy_sets_and_help destination)
    file (GLOB sets "${SETS}/*.mwh")
    if (NOT sets)
        message (FATAL_ERROR "no set (*.mwh) in ${SETS}")
    endif()
    file (MAKE_DIRECTORY "${destination}/${SETS_FOLDER}")
    file (COPY ${sets} DESTINATION "${destination}/${SETS_FOLDER}")
    file (COPY "${HELP}/" DESTINATION "${destination}/help")
endfunction()

file (REMOVE_RECURSE "${STAGE}")
file (MAKE_DIRECTORY "${STAGE}")
copy_stripped ("${PROGRAM}" "${STAGE}/Musewheeler.exe")
copy_stripped ("${SETS_PROGRAM}" "${STAGE}/musewheeler-sets.exe")
copy_sets_and_help ("${STAGE}")

if (VST3_BUNDLE)
    include ("${CMAKE_CURRENT_LIST_DIR}/check-vst3-bundle.cmake")
    set (binary "${VST3_BUNDLE}/Contents/x86_64-win/Musewheeler.vst3")
    set (stagedBundle "${STAGE}/Musewheeler.vst3")
    copy_stripped ("${binary}" "${stagedBundle}/Contents/x86_64-win/Musewheeler.vst3")
    copy_sets_and_help ("${stagedBundle}/Contents/Resources")
endif()

if (README)
    file (COPY_FILE "${README}" "${STAGE}/README.txt")
endif()

if (ICON)
    file (COPY_FILE "${ICON}" "${STAGE}/setup.ico")
endif()
