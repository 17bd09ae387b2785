# The Debian package of `make deb`: the program and musewheeler-sets in /usr/bin, which run in place; their
# help and the shipped sets once in /usr/share/musewheeler, for the programs and both plugins; and what a
# desktop and a software centre look for. Each user's sets and settings are made by the program itself in
# the user's folders. `make deb` builds the programs and PackageFiles, then runs cpack.

# The project has no web site of its own yet: these reserved example names stand in until it has, and a
# release build sets the real ones.
set (MUSEWHEELER_APPSTREAM_ID "example.musewheeler.Musewheeler" CACHE STRING
     "The AppStream component id, a reverse domain name")
set (MUSEWHEELER_SCREENSHOTS_URL "https://musewheeler.example/images" CACHE STRING
     "The web address that serves docs/images, for the AppStream screenshots")
set (MUSEWHEELER_MAINTAINER "The Musewheeler developers <maintainers@musewheeler.example>" CACHE STRING
     "The package's Maintainer field")

set (packagingDir "${PROJECT_SOURCE_DIR}/packaging")
set (packageFilesDir "${PROJECT_BINARY_DIR}/package-files")

# A release changes the project's version, the changelog and the AppStream releases together.
file (STRINGS "${packagingDir}/changelog" changelogTop LIMIT_COUNT 1)
if (NOT changelogTop MATCHES "^musewheeler \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message (FATAL_ERROR "packaging/changelog starts with '${changelogTop}', not version ${PROJECT_VERSION}")
endif()

file (READ "${packagingDir}/musewheeler.metainfo.xml.in" metainfoText)
if (NOT metainfoText MATCHES "<release version=\"([^\"]+)\"" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message (FATAL_ERROR "The first release of packaging/musewheeler.metainfo.xml.in is not ${PROJECT_VERSION}")
endif()

set (metainfoFile "${packageFilesDir}/${MUSEWHEELER_APPSTREAM_ID}.metainfo.xml")
configure_file ("${packagingDir}/musewheeler.metainfo.xml.in" "${metainfoFile}" @ONLY)

# The icon as the program draws it, in the sizes desktops ask for; there is no drawing of it as SVG.
set (iconFiles)
foreach (size 16 32 48 64 128 256)
    set (iconFile "${packageFilesDir}/icons/${size}x${size}/musewheeler.png")
    add_custom_command (OUTPUT "${iconFile}"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${packageFilesDir}/icons/${size}x${size}"
        COMMAND MusewheelerAppIcon "${iconFile}" ${size}
        DEPENDS MusewheelerAppIcon
        VERBATIM)
    list (APPEND iconFiles "${iconFile}")
    install (FILES "${iconFile}" DESTINATION "share/icons/hicolor/${size}x${size}/apps")
endforeach()

# The manual pages name the version they belong to and its date, the changelog's, so that the same sources
# make the same pages.
file (STRINGS "${packagingDir}/changelog" changelogDates REGEX "^ -- .*  [A-Z][a-z][a-z], [0-9]+ [A-Z][a-z][a-z] [0-9]+ ")
list (GET changelogDates 0 changelogDate)
if (NOT changelogDate MATCHES ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
    message (FATAL_ERROR "packaging/changelog has no date: ${changelogDate}")
endif()
set (months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list (FIND months "${CMAKE_MATCH_2}" monthIndex)
math (EXPR month "${monthIndex} + 1")
string (LENGTH "${CMAKE_MATCH_1}" dayLength)
set (day "${CMAKE_MATCH_1}")
if (dayLength EQUAL 1)
    set (day "0${day}")
endif()
if (month LESS 10)
    set (month "0${month}")
endif()
set (MUSEWHEELER_RELEASE_DATE "${CMAKE_MATCH_3}-${month}-${day}")

foreach (page musewheeler.1 musewheeler-sets.1)
    configure_file ("${packagingDir}/${page}.in" "${packageFilesDir}/${page}" @ONLY)
endforeach()

# Compressed without a name or time stamp, so that the same sources make the same package.
set (compressedFiles)
foreach (source "${packageFilesDir}/musewheeler.1" "${packageFilesDir}/musewheeler-sets.1" "${packagingDir}/changelog")
    get_filename_component (name "${source}" NAME)
    set (compressed "${packageFilesDir}/${name}.gz")
    add_custom_command (OUTPUT "${compressed}"
        COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh "${source}" "${compressed}"
        DEPENDS "${source}"
        VERBATIM)
    list (APPEND compressedFiles "${compressed}")
endforeach()

add_custom_target (PackageFiles DEPENDS ${iconFiles} ${compressedFiles})

# The programs run in place from /usr/bin, and find the help and the shipped sets in ../share/musewheeler.
install (PROGRAMS "$<TARGET_FILE:Musewheeler>" DESTINATION bin RENAME musewheeler)
install (TARGETS MusewheelerSets RUNTIME DESTINATION bin)
# Stripped as Debian's own packages are, of the compiler's notes too.
install (CODE "
    foreach (program musewheeler musewheeler-sets)
        execute_process (COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/\${program}\"
                         COMMAND_ERROR_IS_FATAL ANY)
    endforeach()")
install (DIRECTORY "${PROJECT_SOURCE_DIR}/help/" DESTINATION share/musewheeler/help)
install (DIRECTORY "${PROJECT_SOURCE_DIR}/data/" DESTINATION share/musewheeler/shipped FILES_MATCHING PATTERN "*.mwh")
install (FILES "${packagingDir}/musewheeler.desktop" DESTINATION share/applications)
install (FILES "${metainfoFile}" DESTINATION share/metainfo)
install (FILES "${packageFilesDir}/musewheeler.1.gz" "${packageFilesDir}/musewheeler-sets.1.gz"
         DESTINATION share/man/man1)
install (FILES "${packagingDir}/copyright" "${packageFilesDir}/changelog.gz" DESTINATION share/doc/musewheeler)
# The plugins' overrides only with the plugins: lintian reports an override that matches nothing.
set (lintianOverrides "${packagingDir}/lintian-overrides")
if (MUSEWHEELER_PLUGIN)
    set (lintianOverrides "${packageFilesDir}/lintian-overrides")
    file (READ "${packagingDir}/lintian-overrides" programOverrides)
    file (READ "${packagingDir}/lintian-overrides-plugins" pluginOverrides)
    file (WRITE "${lintianOverrides}" "${programOverrides}\n${pluginOverrides}")
    set_property (DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                  "${packagingDir}/lintian-overrides" "${packagingDir}/lintian-overrides-plugins")
endif()
install (FILES "${lintianOverrides}" DESTINATION share/lintian/overrides RENAME musewheeler)

# Built with the plugins, the package carries their bundles where hosts look for system-wide plugins,
# without the sets and help pages a build puts inside each (the plugins use the shared ones and the user's
# folders) and without a settings file a run from the build folder may have left.
if (MUSEWHEELER_PLUGIN)
    set (pluginArtefacts "${PROJECT_BINARY_DIR}/MusewheelerPlugin_artefacts/$<CONFIG>")
    install (DIRECTORY "${pluginArtefacts}/VST3/Musewheeler.vst3" DESTINATION lib/vst3
             PATTERN "Musewheeler.ini" EXCLUDE PATTERN "data" EXCLUDE PATTERN "help" EXCLUDE
             PATTERN "shipped-sets.txt" EXCLUDE)
    install (DIRECTORY "${pluginArtefacts}/LV2/Musewheeler.lv2" DESTINATION lib/lv2
             PATTERN "Musewheeler.ini" EXCLUDE PATTERN "data" EXCLUDE PATTERN "help" EXCLUDE
             PATTERN "shipped-sets.txt" EXCLUDE)
    install (CODE "
        foreach (library vst3/Musewheeler.vst3/Contents/x86_64-linux/Musewheeler.so lv2/Musewheeler.lv2/libMusewheeler.so)
            execute_process (COMMAND \"${CMAKE_STRIP}\" --strip-unneeded --remove-section=.comment --remove-section=.note
                                     \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/\${library}\"
                             COMMAND_ERROR_IS_FATAL ANY)
        endforeach()")
endif()

# cpack installs only what `make deb` built, not every tool and gallery of the build folder.
set (CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

execute_process (COMMAND dpkg --print-architecture
                 OUTPUT_VARIABLE debianArchitecture OUTPUT_STRIP_TRAILING_WHITESPACE)

set (CPACK_GENERATOR DEB)
set (CPACK_PACKAGE_NAME musewheeler)
set (CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set (CPACK_PACKAGING_INSTALL_PREFIX /usr)
set (CPACK_STRIP_FILES ON)
set (CPACK_PACKAGE_DESCRIPTION_SUMMARY "creative advice for composers and songwriters")
set (CPACK_PACKAGE_DESCRIPTION
"Musewheeler shows one short piece of creative advice at a time, drawn without
repeats from tagged advice sets in English and French. Advice can be marked as
favourites and filtered by language, set, favourites or tag; a timer draws by
itself, and a built-in editor writes new sets.

The musewheeler-sets command draws, lists, searches, exports, checks and
imports the same sets in a terminal.")
if (MUSEWHEELER_PLUGIN)
    string (APPEND CPACK_PACKAGE_DESCRIPTION "

The same advice card is a VST3 and an LV2 plugin for digital audio
workstations: audio passes through, and a MIDI note draws a new advice.")
endif()
set (CPACK_DEBIAN_FILE_NAME "musewheeler_${PROJECT_VERSION}_${debianArchitecture}.deb")
set (CPACK_DEBIAN_PACKAGE_ARCHITECTURE "${debianArchitecture}")
set (CPACK_DEBIAN_PACKAGE_MAINTAINER "${MUSEWHEELER_MAINTAINER}")
set (CPACK_DEBIAN_PACKAGE_SECTION sound)
set (CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set (CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit opens the X libraries at run time, where dpkg-shlibdeps does not see them: without the first
# two there is no window; without the others it falls back on plainer cursors and screen sizes. The help
# and About links open in a browser through xdg-open; text needs at least one font.
set (CPACK_DEBIAN_PACKAGE_DEPENDS "libx11-6, libxext6")
# The set editor's file choosers are the desktop's own dialogs, which a keyboard reaches and which speak the
# desktop's language; without one the toolkit's own chooser stands in.
set (CPACK_DEBIAN_PACKAGE_RECOMMENDS
     "libxcursor1, libxinerama1, libxrandr2, xdg-utils, fonts-dejavu-core, zenity | kdialog")
set (CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The package lands in the source folder, where `apt install ./musewheeler_*.deb` is run.
set (CPACK_OUTPUT_FILE_PREFIX "${PROJECT_SOURCE_DIR}")

file (WRITE "${PROJECT_BINARY_DIR}/package-file.txt" "${PROJECT_SOURCE_DIR}/${CPACK_DEBIAN_FILE_NAME}\n")

# The toolkit's modules, under the GPL, are compiled into the programs from Debian's juce-modules-source:
# the package names the source it was built with (Built-Using names source packages: juce-modules-source
# comes from juce), which CPack cannot write. The package is then packed again by dpkg-deb, which, given
# SOURCE_DATE_EPOCH, gives the same bytes for the same files.
execute_process (COMMAND dpkg-query -W "-f=\${source:Package} (= \${source:Version})" juce-modules-source
                 OUTPUT_VARIABLE MUSEWHEELER_BUILT_USING OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process (COMMAND dpkg-parsechangelog -l "${packagingDir}/changelog" -STimestamp
                 OUTPUT_VARIABLE MUSEWHEELER_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file ("${packagingDir}/finish-deb.cmake.in" "${PROJECT_BINARY_DIR}/finish-deb.cmake" @ONLY)
set (CPACK_POST_BUILD_SCRIPTS "${PROJECT_BINARY_DIR}/finish-deb.cmake")

include (CPack)
