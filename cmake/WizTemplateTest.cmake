include_guard(GLOBAL)

# wiz_add_template_test(<test name> TEMPLATE <title> | FOLDER <template folder>
#                       PROJECT <name> [ARGS <arg>...] EXPECTED <folder> [PLUGIN <target>])
# A CTest test that runs the wizard unattended, as a build server would, to
# write project <name> with the template titled <title> (ARGS go to the
# template), and compares what it wrote, byte for byte, with the files below
# EXPECTED. A fresh GUID (lower-case hexadecimal, 8-4-4-4-12) differs from run
# to run, so both sides read every such GUID as 00000000-0000-0000-0000-000000000000.
# With WIZ_UPDATE_EXPECTED=1 in the environment the test rewrites EXPECTED
# from the run instead, GUIDs already masked.
#
# The test is sealed: the wizard (ZELK_WIZARD_EXECUTABLE) runs with empty
# settings, data and cache folders of its own, WIZ_PLUGIN_PATH set to this
# build's plug-in folder alone (that of PLUGIN, by default <build>/plugins), and
# never from a folder that holds a "plugins" folder of its own. It fails when
# the template of that title would come from any other library than PLUGIN's
# (by default, any library outside that folder), such as an older copy
# installed elsewhere. On a difference it shows a unified diff of each text
# file, or the first differing byte of a binary one, and keeps what the wizard
# wrote below <build>/wiz_template_tests/<test name>.
#
# FOLDER runs a template folder in place (wiz --template <folder>) instead of
# a listed template; its GUIDs are numbered (WIZ_FIXED_GUIDS=1) and its dates
# are those of SOURCE_DATE_EPOCH=946684800 (2000-01-01), so its expected tree
# holds them as they are.
function(wiz_add_template_test testName)
    cmake_parse_arguments(TEST "" "TEMPLATE;FOLDER;PROJECT;EXPECTED;PLUGIN" "ARGS" ${ARGN})
    if(DEFINED TEST_FOLDER)
        get_filename_component(TEST_FOLDER "${TEST_FOLDER}" ABSOLUTE
            BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
        set(TEST_TEMPLATE "")
    endif()
    if(DEFINED TEST_FOLDER AND DEFINED TEST_TEMPLATE AND NOT TEST_TEMPLATE STREQUAL "")
        message(FATAL_ERROR "wiz_add_template_test(${testName}): TEMPLATE and FOLDER exclude each other")
    endif()
    foreach(required TEMPLATE PROJECT EXPECTED)
        if(NOT DEFINED TEST_${required})
            message(FATAL_ERROR "wiz_add_template_test(${testName}): ${required} is missing")
        endif()
    endforeach()
    if(NOT ZELK_WIZARD_EXECUTABLE)
        message(FATAL_ERROR "wiz_add_template_test(${testName}): ZELK_WIZARD_EXECUTABLE is not set")
    endif()
    get_filename_component(expected "${TEST_EXPECTED}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    # Bracket arguments keep titles and arguments exactly as given.
    set(pluginDir "${CMAKE_BINARY_DIR}/plugins")
    set(library "")
    if(DEFINED TEST_PLUGIN)
        set(pluginDir "$<TARGET_FILE_DIR:${TEST_PLUGIN}>")
        set(library "$<TARGET_FILE:${TEST_PLUGIN}>")
    endif()
    set(content "set(WIZ_PROGRAM [==[${ZELK_WIZARD_EXECUTABLE}]==])\n"
                "set(WIZ_PLUGIN_DIR [==[${pluginDir}]==])\n"
                "set(WIZ_LIBRARY [==[${library}]==])\n"
                "set(WIZ_TITLE [==[${TEST_TEMPLATE}]==])\n"
                "set(WIZ_FOLDER [==[${TEST_FOLDER}]==])\n"
                "set(WIZ_PROJECT [==[${TEST_PROJECT}]==])\n"
                "set(WIZ_EXPECTED [==[${expected}]==])\n"
                "set(WIZ_SCRATCH [==[${CMAKE_CURRENT_BINARY_DIR}/wiz_template_tests/${testName}]==])\n"
                "set(WIZ_ARGS)\n")
    foreach(arg IN LISTS TEST_ARGS)
        list(APPEND content "list(APPEND WIZ_ARGS [==[${arg}]==])\n")
    endforeach()
    string(REPLACE ";" "" content "${content}")
    set(parameters "${CMAKE_CURRENT_BINARY_DIR}/wiz_template_tests/${testName}.cmake")
    # GENERATE, so that an executable given as $<TARGET_FILE:...> is resolved.
    file(GENERATE OUTPUT "${parameters}" CONTENT "${content}")
    add_test(NAME ${testName}
        COMMAND "${CMAKE_COMMAND}" "-DPARAMETERS=${parameters}"
                -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/wiz_template_test.cmake")
    set_tests_properties(${testName} PROPERTIES TIMEOUT 90)
endfunction()
