# wiz_embed_files(<target> <file>... [TEMPLATE_DIR <dir>]
#                 [ENCODING AUTO|UTF-8|WINDOWS-1252] [ENCODINGS <file>=<encoding>...])
# Generates embeded.h for <target> from the listed template files. Each name is
# relative to TEMPLATE_DIR (by default the calling folder; a relative one is
# taken from there) and is the file's lookup name exactly as written, e.g.
# "./panelWatch/p1.zelk_ui" or "../zelk_script_wizard/tamber_component/docs/example.png".
# ENCODING is how the support library reads and writes the files as text
# (AUTO, the default: UTF-8 after a byte-order mark, Windows-1252 without);
# ENCODINGS sets it for single files, named as in the list.
function(wiz_embed_files target)
    cmake_parse_arguments(EMBED "" "TEMPLATE_DIR;ENCODING" "ENCODINGS" ${ARGN})
    set(names ${EMBED_UNPARSED_ARGUMENTS})
    set(templateDir "${CMAKE_CURRENT_SOURCE_DIR}")
    if(DEFINED EMBED_TEMPLATE_DIR)
        get_filename_component(templateDir "${EMBED_TEMPLATE_DIR}" ABSOLUTE
            BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
    set(default AUTO)
    if(DEFINED EMBED_ENCODING)
        set(default "${EMBED_ENCODING}")
    endif()
    set(encodingPattern "^(AUTO|UTF-8|WINDOWS-1252)$")
    if(NOT default MATCHES "${encodingPattern}")
        message(FATAL_ERROR "${target}: ENCODING ${default} is none of AUTO, UTF-8, WINDOWS-1252")
    endif()
    foreach(override IN LISTS EMBED_ENCODINGS)
        if(NOT override MATCHES "^(.+)=(AUTO|UTF-8|WINDOWS-1252)$")
            message(FATAL_ERROR "${target}: ENCODINGS takes <file>=AUTO|UTF-8|WINDOWS-1252, "
                "not \"${override}\" (ENCODINGS comes after the files)")
        endif()
        if(NOT CMAKE_MATCH_1 IN_LIST names)
            message(FATAL_ERROR "${target}: ENCODINGS names ${CMAKE_MATCH_1}, which is no template file")
        endif()
        set("encodingOf_${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
    endforeach()

    set(outputDir "${CMAKE_CURRENT_BINARY_DIR}/${target}_embed")
    set(output "${outputDir}/embeded.h")
    set(inputs "")
    set(encodings "")
    foreach(name IN LISTS names)
        list(APPEND inputs "${templateDir}/${name}")
        if(DEFINED "encodingOf_${name}")
            list(APPEND encodings "${encodingOf_${name}}")
        else()
            list(APPEND encodings "${default}")
        endif()
    endforeach()
    string(REPLACE ";" "|" joined "${names}")
    string(REPLACE ";" "|" joinedEncodings "${encodings}")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${templateDir}"
                "-DOUTPUT=${output}" "-DFILES=${joined}" "-DENCODINGS=${joinedEncodings}"
                -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed_files.cmake"
        DEPENDS ${inputs} "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed_files.cmake"
        COMMENT "Embedding templates of ${target}"
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
    target_include_directories(${target} PRIVATE "${outputDir}")
endfunction()
