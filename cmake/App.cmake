# Windows shows a program's icon from the program file itself, made when the build is configured, so from a
# committed picture: the program's own drawing at 256 pixels (`make icons` draws it again).
set (musewheelerIconArguments)
if (WIN32)
    set (musewheelerIconArguments ICON_BIG "${PROJECT_SOURCE_DIR}/packaging/windows/musewheeler.png")
endif()

juce_add_gui_app (Musewheeler
    PRODUCT_NAME "${PROJECT_NAME}"
    VERSION "${PROJECT_VERSION}"
    COMPANY_NAME "The Musewheeler developers"
    ${musewheelerIconArguments})

target_sources (Musewheeler PRIVATE "${PROJECT_SOURCE_DIR}/src/app/Main.cpp")
target_link_libraries (Musewheeler PRIVATE MusewheelerCore)

# The program reads and writes the copy of data/ beside itself, never the repository's: only set files
# not there yet are copied, so favourites and edits made while running survive the next build.
add_custom_command (TARGET Musewheeler POST_BUILD
    COMMAND "${CMAKE_COMMAND}"
            "-DSOURCE_DIR=${PROJECT_SOURCE_DIR}/data"
            "-DDEST_DIR=$<TARGET_FILE_DIR:Musewheeler>/data"
            -P "${PROJECT_SOURCE_DIR}/cmake/CopyMissingFiles.cmake"
    VERBATIM)

# The help pages are part of the program, not the user's: they are copied over at every build.
add_custom_command (TARGET Musewheeler POST_BUILD
    COMMAND "${CMAKE_COMMAND}" -E copy_directory "${PROJECT_SOURCE_DIR}/help" "$<TARGET_FILE_DIR:Musewheeler>/help"
    VERBATIM)

# The program's icon as a PNG beside it, drawn by the program's own code, for the desktop entry.
# Windows takes the program's icon from the program itself (AppIcon); the file is for Linux desktops.
if (NOT WIN32)
    add_executable (MusewheelerAppIcon "${PROJECT_SOURCE_DIR}/tools/AppIconWriter.cpp")
    target_link_libraries (MusewheelerAppIcon PRIVATE MusewheelerCore)
    add_dependencies (Musewheeler MusewheelerAppIcon)

    add_custom_command (TARGET Musewheeler POST_BUILD
        COMMAND MusewheelerAppIcon "$<TARGET_FILE_DIR:Musewheeler>/musewheeler.png" 256
        VERBATIM)

    # The Windows program's icon, committed (see above), drawn again with the button pictures.
    add_custom_command (TARGET icons POST_BUILD
        COMMAND MusewheelerAppIcon "${PROJECT_SOURCE_DIR}/packaging/windows/musewheeler.png" 256
        COMMENT "Drawing the Windows program's icon into packaging/windows"
        VERBATIM)
endif()
