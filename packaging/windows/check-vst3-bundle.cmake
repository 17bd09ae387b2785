# Checks the VST3 bundle the Windows build made, in VST3_BUNDLE: the plugin where hosts look for it, and the
# sets and help the plugin finds in Contents\Resources when it runs from the build.
#
# cmake -DVST3_BUNDLE=.../Musewheeler.vst3 -P check-vst3-bundle.cmake
cmake_minimum_required (VERSION 3.22)

get_filename_component (VST3_BUNDLE "${VST3_BUNDLE}" ABSOLUTE)

foreach (expected Contents/x86_64-win/Musewheeler.vst3 Contents/Resources/help/index.html
                  Contents/Resources/help/fr/index.html)
    if (NOT EXISTS "${VST3_BUNDLE}/${expected}" OR IS_DIRECTORY "${VST3_BUNDLE}/${expected}")
        message (FATAL_ERROR "the VST3 bundle ${VST3_BUNDLE} lacks the file ${expected}")
    endif()
endforeach()

file (GLOB bundledSets "${VST3_BUNDLE}/Contents/Resources/data/*.mwh")
if (NOT bundledSets)
    message (FATAL_ERROR "the VST3 bundle ${VST3_BUNDLE} has no set in Contents/Resources/data")
endif()
