include_guard(GLOBAL)
include("${CMAKE_CURRENT_LIST_DIR}/WizEmbed.cmake")

# wiz_add_plugin(<name> SOURCES <file>... TEMPLATES <file>...
#                [TEMPLATE_DIR <dir>] [NO_PARENT_DIR])
# Declares a template plug-in: a MODULE named exactly <name> plus the platform's
# library suffix, without "lib" in front, in <build>/plugins, where the wizard
# looks for it when started in <build>. The TEMPLATES are embedded in it
# (embeded.h, qembed_findData), each looked up under its path relative to
# TEMPLATE_DIR exactly as written; TEMPLATE_DIR defaults to the calling folder.
# The plug-in gets its own copy of the support library; NO_PARENT_DIR selects
# the variant whose writers never create a missing parent folder.
function(wiz_add_plugin name)
    cmake_parse_arguments(PLUGIN "NO_PARENT_DIR" "TEMPLATE_DIR" "SOURCES;TEMPLATES" ${ARGN})
    if(PLUGIN_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "wiz_add_plugin(${name}): unknown arguments ${PLUGIN_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT PLUGIN_TEMPLATES)
        message(FATAL_ERROR "wiz_add_plugin(${name}): TEMPLATES names no file")
    endif()
    add_library(${name} MODULE ${PLUGIN_SOURCES})
    set_target_properties(${name} PROPERTIES
        PREFIX ""
        AUTOMOC ON
        LIBRARY_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/plugins")
    if(PLUGIN_NO_PARENT_DIR)
        target_link_libraries(${name} PRIVATE ZelkWizard::wiz_util_nodir)
    else()
        target_link_libraries(${name} PRIVATE ZelkWizard::wiz_util)
    endif()
    if(DEFINED PLUGIN_TEMPLATE_DIR)
        wiz_embed_files(${name} TEMPLATE_DIR "${PLUGIN_TEMPLATE_DIR}" ${PLUGIN_TEMPLATES})
    else()
        wiz_embed_files(${name} ${PLUGIN_TEMPLATES})
    endif()
    set_property(GLOBAL APPEND PROPERTY WIZ_PLUGINS ${name})
    # Beside an installed wiz, which lists <prefix>/lib/wiz/plugins.
    install(TARGETS ${name} LIBRARY DESTINATION lib/wiz/plugins)
endfunction()
