# wiz_add_plugin(<name> [NO_PARENT_DIR] SOURCES <file>...)
# A template plug-in: a MODULE named exactly <name>.so in build/plugins, where
# the host looks for it, with its own copy of the support library.
# NO_PARENT_DIR selects the support library whose writers do not create the
# target's parent directory.
function(wiz_add_plugin name)
    cmake_parse_arguments(PLUGIN "NO_PARENT_DIR" "" "SOURCES" ${ARGN})
    add_library(${name} MODULE ${PLUGIN_SOURCES})
    set_target_properties(${name} PROPERTIES
        PREFIX ""
        LIBRARY_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/plugins")
    if(PLUGIN_NO_PARENT_DIR)
        target_link_libraries(${name} PRIVATE wiz_util_nodir)
    else()
        target_link_libraries(${name} PRIVATE wiz_util)
    endif()
    set_property(GLOBAL APPEND PROPERTY WIZ_PLUGINS ${name})
    install(TARGETS ${name} LIBRARY DESTINATION lib/wiz/plugins)
endfunction()
