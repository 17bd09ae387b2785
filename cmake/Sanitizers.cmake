# Sanitizers apply to every target, the toolkit included, so that its memory is checked along with ours.
if (MUSEWHEELER_SANITIZERS)
    add_compile_options (-fsanitize=${MUSEWHEELER_SANITIZERS} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options (-fsanitize=${MUSEWHEELER_SANITIZERS})
endif()
