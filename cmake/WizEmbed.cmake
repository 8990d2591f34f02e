# wiz_embed_files(<target> <file>...)
# Generates embeded.h for <target> from the listed template files. Each name is
# relative to the calling folder and becomes the file's lookup name as written,
# e.g. "./panelWatch/p1.zelk_ui" or "../zelk_script_wizard/tamber_component/docs/example.png".
function(wiz_embed_files target)
    set(outputDir "${CMAKE_CURRENT_BINARY_DIR}/${target}_embed")
    set(output "${outputDir}/embeded.h")
    set(inputs "")
    foreach(name IN LISTS ARGN)
        list(APPEND inputs "${CMAKE_CURRENT_SOURCE_DIR}/${name}")
    endforeach()
    string(REPLACE ";" "|" joined "${ARGN}")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}"
                "-DOUTPUT=${output}" "-DFILES=${joined}"
                -P "${WIZ_CMAKE_DIR}/embed_files.cmake"
        DEPENDS ${inputs} "${WIZ_CMAKE_DIR}/embed_files.cmake"
        COMMENT "Embedding templates of ${target}"
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
    target_include_directories(${target} PRIVATE "${outputDir}")
endfunction()
