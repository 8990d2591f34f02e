# wiz_embed_files(<target> [TEMPLATE_DIR <dir>] <file>...)
# Generates embeded.h for <target> from the listed template files. Each name is
# relative to TEMPLATE_DIR (by default the calling folder; a relative one is
# taken from there) and is the file's lookup name exactly as written, e.g.
# "./panelWatch/p1.zelk_ui" or "../zelk_script_wizard/tamber_component/docs/example.png".
function(wiz_embed_files target)
    cmake_parse_arguments(EMBED "" "TEMPLATE_DIR" "" ${ARGN})
    set(names ${EMBED_UNPARSED_ARGUMENTS})
    set(templateDir "${CMAKE_CURRENT_SOURCE_DIR}")
    if(DEFINED EMBED_TEMPLATE_DIR)
        get_filename_component(templateDir "${EMBED_TEMPLATE_DIR}" ABSOLUTE
            BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
    set(outputDir "${CMAKE_CURRENT_BINARY_DIR}/${target}_embed")
    set(output "${outputDir}/embeded.h")
    set(inputs "")
    foreach(name IN LISTS names)
        list(APPEND inputs "${templateDir}/${name}")
    endforeach()
    string(REPLACE ";" "|" joined "${names}")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${templateDir}"
                "-DOUTPUT=${output}" "-DFILES=${joined}"
                -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed_files.cmake"
        DEPENDS ${inputs} "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed_files.cmake"
        COMMENT "Embedding templates of ${target}"
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
    target_include_directories(${target} PRIVATE "${outputDir}")
endfunction()
