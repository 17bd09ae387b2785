# The Windows setup and the portable zip, in the build folder:
#   windows-setup  Musewheeler-<version>-setup.exe, made by NSIS (packaging/windows/Musewheeler.nsi): a
#                  per-user installation in %LOCALAPPDATA%\Programs\Musewheeler, the shipped sets in shipped\
#                  beside the program, which brings them into data\ at each start.
#   windows-zip    Musewheeler-<version>-windows-portable.zip: the same programs with the sets in data\, to
#                  unpack and run anywhere the user can write.
# Both lay the files out first (packaging/windows/stage.cmake): windows-setup-files, which the installer's
# test (tests/windows/installer-check.sh) makes its upgrade's setup from, and windows-portable-files. With
# the plugin, both carry its VST3 bundle, whose layout windows-vst3-check checks.

set (windowsPackagingDir "${PROJECT_SOURCE_DIR}/packaging/windows")
set (windowsSetupFiles "${PROJECT_BINARY_DIR}/windows-setup-files")
set (windowsPortableFolder "Musewheeler-${PROJECT_VERSION}")
set (windowsPortableFiles "${PROJECT_BINARY_DIR}/windows-portable-files")
set (windowsSetup "${PROJECT_BINARY_DIR}/Musewheeler-${PROJECT_VERSION}-setup.exe")
set (windowsZip "${PROJECT_BINARY_DIR}/Musewheeler-${PROJECT_VERSION}-windows-portable.zip")

find_program (MUSEWHEELER_MAKENSIS makensis)
if (NOT MUSEWHEELER_MAKENSIS)
    message (STATUS "makensis not found: windows-setup needs Debian's nsis")
    set (MUSEWHEELER_MAKENSIS makensis)
endif()
# The toolchain's strip knows Windows executables; the build machine's may not.
find_program (MUSEWHEELER_WINDOWS_STRIP NAMES x86_64-w64-mingw32-strip)

set (windowsPackageDepends Musewheeler MusewheelerSets)
set (windowsStageArguments
     "-DPROGRAM=$<TARGET_FILE:Musewheeler>"
     "-DSETS_PROGRAM=$<TARGET_FILE:MusewheelerSets>"
     "-DHELP=${PROJECT_SOURCE_DIR}/help"
     "-DSETS=${PROJECT_SOURCE_DIR}/data"
     "-DSTRIP=${MUSEWHEELER_WINDOWS_STRIP}")

# Plugin.cmake comes after this file: its target is named here and found when the build is generated.
if (MUSEWHEELER_PLUGIN)
    set (windowsVst3Bundle "$<TARGET_FILE_DIR:MusewheelerPlugin_VST3>/../..")
    add_custom_target (windows-vst3-check
        COMMAND "${CMAKE_COMMAND}" "-DVST3_BUNDLE=${windowsVst3Bundle}"
                -P "${windowsPackagingDir}/check-vst3-bundle.cmake"
        DEPENDS MusewheelerPlugin_VST3
        COMMENT "Checking the layout of the VST3 bundle"
        VERBATIM)
    list (APPEND windowsPackageDepends windows-vst3-check)
    list (APPEND windowsStageArguments "-DVST3_BUNDLE=${windowsVst3Bundle}")
    set (README_PLUGIN "  Musewheeler.vst3\\       the VST3 plugin, for a host's list of plugin folders\n")
endif()

# With CR LF line ends throughout, the plugin's line included, for Windows' editors.
file (READ "${windowsPackagingDir}/README.txt.in" windowsReadme)
string (CONFIGURE "${windowsReadme}" windowsReadme @ONLY)
string (REPLACE "\n" "\r\n" windowsReadme "${windowsReadme}")
file (WRITE "${PROJECT_BINARY_DIR}/windows-README.txt" "${windowsReadme}")
set_property (DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${windowsPackagingDir}/README.txt.in")

add_custom_target (windows-setup
    COMMAND "${CMAKE_COMMAND}" "-DSTAGE=${windowsSetupFiles}" -DSETS_FOLDER=shipped ${windowsStageArguments}
            "-DICON=$<TARGET_PROPERTY:Musewheeler,JUCE_GENERATED_SOURCES_DIRECTORY>/icon.ico"
            -P "${windowsPackagingDir}/stage.cmake"
    COMMAND "${CMAKE_COMMAND}" -E env "MAKENSIS=${MUSEWHEELER_MAKENSIS}"
            bash "${windowsPackagingDir}/make-setup.sh" "${windowsSetupFiles}" "${PROJECT_VERSION}" "${windowsSetup}"
    DEPENDS ${windowsPackageDepends}
    BYPRODUCTS "${windowsSetup}"
    COMMENT "Making ${windowsSetup}"
    VERBATIM)

add_custom_target (windows-zip
    COMMAND "${CMAKE_COMMAND}" "-DSTAGE=${windowsPortableFiles}/${windowsPortableFolder}" -DSETS_FOLDER=data
            ${windowsStageArguments} "-DREADME=${PROJECT_BINARY_DIR}/windows-README.txt"
            -P "${windowsPackagingDir}/stage.cmake"
    COMMAND "${CMAKE_COMMAND}" -E rm -f "${windowsZip}"
    COMMAND "${CMAKE_COMMAND}" -E chdir "${windowsPortableFiles}"
            "${CMAKE_COMMAND}" -E tar cf "${windowsZip}" --format=zip "${windowsPortableFolder}"
    DEPENDS ${windowsPackageDepends}
    BYPRODUCTS "${windowsZip}"
    COMMENT "Making ${windowsZip}"
    VERBATIM)

