include_guard(GLOBAL)
include("${CMAKE_CURRENT_LIST_DIR}/WizEmbed.cmake")

# wiz_add_plugin(<name> SOURCES <file>... TEMPLATES <file>...
#                [TEMPLATE_DIR <dir>] [NO_PARENT_DIR]
#                [ENCODING AUTO|UTF-8|WINDOWS-1252] [ENCODINGS <file>=<encoding>...]
#                [OUTPUT_DIRECTORY <dir>])
# Declares a template plug-in: a MODULE named exactly <name> plus the platform's
# library suffix, without "lib" in front, in <build>/plugins, where the wizard
# looks for it when started in <build>. The TEMPLATES are embedded in it
# (embeded.h, qembed_findData), each looked up under its path relative to
# TEMPLATE_DIR exactly as written; TEMPLATE_DIR defaults to the calling folder.
# ENCODING says how the support library reads and writes them as text: UTF-8
# (no byte-order mark added), WINDOWS-1252 (one byte a character) or AUTO, the
# default (UTF-8 after a byte-order mark, Windows-1252 without); ENCODINGS sets
# it for single files, such as ENCODINGS legacy.rc=WINDOWS-1252.
# The plug-in gets its own copy of the support library; NO_PARENT_DIR selects
# the variant whose writers never create a missing parent folder. The calling
# project's version reaches the sources as ZELK_WIZARD_PLUGIN_VERSION (a
# string literal), for the template's description. Each build warns of a literal qembed_findData("...")
# in the SOURCES that names no template file. OUTPUT_DIRECTORY builds the
# library there instead and does not install it: a template for tests.
function(wiz_add_plugin name)
    cmake_parse_arguments(PLUGIN "NO_PARENT_DIR" "TEMPLATE_DIR;ENCODING;OUTPUT_DIRECTORY"
        "SOURCES;TEMPLATES;ENCODINGS" ${ARGN})
    if(PLUGIN_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "wiz_add_plugin(${name}): unknown arguments ${PLUGIN_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT PLUGIN_TEMPLATES)
        message(FATAL_ERROR "wiz_add_plugin(${name}): TEMPLATES names no file")
    endif()
    set(outputDirectory "${CMAKE_BINARY_DIR}/plugins")
    if(DEFINED PLUGIN_OUTPUT_DIRECTORY)
        set(outputDirectory "${PLUGIN_OUTPUT_DIRECTORY}")
    endif()
    add_library(${name} MODULE ${PLUGIN_SOURCES})
    set_target_properties(${name} PROPERTIES
        PREFIX ""
        AUTOMOC ON
        LIBRARY_OUTPUT_DIRECTORY "${outputDirectory}")
    # Empty for a project without a version, so a description still compiles.
    target_compile_definitions(${name} PRIVATE ZELK_WIZARD_PLUGIN_VERSION="${PROJECT_VERSION}")
    if(PLUGIN_NO_PARENT_DIR)
        target_link_libraries(${name} PRIVATE ZelkWizard::wiz_util_nodir)
    else()
        target_link_libraries(${name} PRIVATE ZelkWizard::wiz_util)
    endif()
    set(embedOptions "")
    foreach(option TEMPLATE_DIR ENCODING)
        if(DEFINED PLUGIN_${option})
            list(APPEND embedOptions ${option} "${PLUGIN_${option}}")
        endif()
    endforeach()
    if(PLUGIN_ENCODINGS)
        list(APPEND embedOptions ENCODINGS ${PLUGIN_ENCODINGS})
    endif()
    wiz_embed_files(${name} ${PLUGIN_TEMPLATES} ${embedOptions})
    _wiz_check_lookups(${name} "${PLUGIN_SOURCES}" "${PLUGIN_TEMPLATES}")
    if(DEFINED PLUGIN_OUTPUT_DIRECTORY)
        return()
    endif()
    set_property(GLOBAL APPEND PROPERTY WIZ_PLUGINS ${name})
    # Beside an installed wiz, which lists <prefix>/lib/wiz/plugins.
    install(TARGETS ${name} LIBRARY DESTINATION lib/wiz/plugins)
endfunction()

# A misspelt lookup name gives an empty file at run time; the build says so
# first. A stamp file ties the check to the sources, so it runs when they change.
function(_wiz_check_lookups target sources names)
    set(files "")
    foreach(source IN LISTS sources)
        get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
        if(EXISTS "${source}")
            list(APPEND files "${source}")
        endif()
    endforeach()
    set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}_embed/lookups.checked")
    string(REPLACE ";" "|" joinedNames "${names}")
    string(REPLACE ";" "|" joinedFiles "${files}")
    add_custom_command(
        OUTPUT "${stamp}"
        COMMAND "${CMAKE_COMMAND}" "-DTARGET=${target}" "-DNAMES=${joinedNames}"
                "-DSOURCES=${joinedFiles}" "-DSTAMP=${stamp}"
                -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/check_lookups.cmake"
        DEPENDS ${files} "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/check_lookups.cmake"
        COMMENT "Checking the template lookups of ${target}"
        VERBATIM)
    target_sources(${target} PRIVATE "${stamp}")
endfunction()
