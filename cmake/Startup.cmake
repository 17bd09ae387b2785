# The start-up measurement of `make startup`: an empty window program built exactly as the program is (same
# toolkit modules, definitions and flags, through MusewheelerCore), and the X probe that times both.
juce_add_gui_app (EmptyWindow
    PRODUCT_NAME "EmptyWindow"
    VERSION "${PROJECT_VERSION}"
    COMPANY_NAME "The Musewheeler developers")

target_sources (EmptyWindow PRIVATE "${PROJECT_SOURCE_DIR}/tools/EmptyWindow.cpp")
target_link_libraries (EmptyWindow PRIVATE MusewheelerCore)

find_package (X11 REQUIRED)

if (NOT X11_Xdamage_FOUND)
    message (FATAL_ERROR "StartupProbe needs the X DAMAGE extension's library (libxdamage-dev)")
endif()

add_executable (StartupProbe "${PROJECT_SOURCE_DIR}/tools/StartupProbe.cpp")
target_link_libraries (StartupProbe PRIVATE X11::X11 X11::Xdamage)
target_compile_options (StartupProbe PRIVATE -Wall -Wextra -Wpedantic)
set_target_properties (StartupProbe PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/startup")
