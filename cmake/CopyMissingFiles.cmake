# Copies the files of SOURCE_DIR that DEST_DIR does not hold yet; existing files are left untouched.
file (MAKE_DIRECTORY "${DEST_DIR}")
file (GLOB_RECURSE sourceFiles RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")

foreach (relativePath IN LISTS sourceFiles)
    if (NOT EXISTS "${DEST_DIR}/${relativePath}")
        get_filename_component (destinationFolder "${DEST_DIR}/${relativePath}" DIRECTORY)
        file (COPY "${SOURCE_DIR}/${relativePath}" DESTINATION "${destinationFolder}")
    endif()
endforeach()
