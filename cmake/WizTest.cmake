# add_wiz_test(<name> SOURCES <file>... [LIBRARIES <lib>...])
# A Qt Test executable run by CTest on the offscreen platform, with its own
# time limit, linked with the tests' support library. WIZ_TEST_MAIN
# (tests/support/testmain.h) gives each run an empty settings directory, so no
# test ever sees or touches the user's settings. tests/each_function.sh runs
# each function alone in the same environment: keep the two alike.
function(add_wiz_test name)
    cmake_parse_arguments(TEST "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${TEST_LIBRARIES} wiztestsupport)
    target_compile_definitions(${name} PRIVATE
        WIZ_BUILD_DIR="${CMAKE_BINARY_DIR}"
        WIZ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 120
        WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    if(TARGET wiz)
        add_dependencies(${name} wiz)
    endif()
endfunction()
