# Runs one template test; see wiz_add_template_test() in WizTemplateTest.cmake.
#   cmake -DPARAMETERS=<file written by wiz_add_template_test> -P wiz_template_test.cmake
cmake_minimum_required(VERSION 3.19)
include("${PARAMETERS}")

# Everything is done on the bytes written out in hexadecimal, two digits and a
# space each ("0d 0a "): a CMake text would lose the CRs and stop at a NUL.
# A GUID character is one of "0"-"9" (hexadecimal 30-39) and "a"-"f" (61-66).
set(guidByte "[36][0-9a-f] ")
string(REPEAT "${guidByte}" 4 four)
string(REPEAT "${guidByte}" 8 eight)
string(REPEAT "${guidByte}" 12 twelve)
set(looseGuid "${eight}2d ${four}2d ${four}2d ${four}2d ${twelve}")
string(REPEAT "30 " 4 zeroFour)
string(REPEAT "30 " 8 zeroEight)
string(REPEAT "30 " 12 zeroTwelve)
set(maskedGuid "${zeroEight}2d ${zeroFour}2d ${zeroFour}2d ${zeroFour}2d ${zeroTwelve}")

function(read_bytes file out)
    file(READ "${file}" bytesHex HEX)
    string(REGEX REPLACE "(..)" "\\1 " spaced "${bytesHex}")
    set(${out} "${spaced}" PARENT_SCOPE)
endfunction()

# The bytes of file, in out, with each fresh GUID masked as
# 00000000-0000-0000-0000-000000000000: a lower-case GUID that the bytes keep
# do not hold as well. Templates carry fixed GUIDs of their own, which are
# compared as they are.
function(read_masked file keep out)
    read_bytes("${file}" bytes)
    string(REGEX MATCHALL "${looseGuid}" candidates "${bytes}")
    list(REMOVE_DUPLICATES candidates)
    foreach(candidate IN LISTS candidates)
        string(REPLACE "2d " "" digits "${candidate}")
        string(FIND "${keep}" "${candidate}" kept)
        if(digits MATCHES "^((3[0-9]|6[1-6]) )+$" AND kept EQUAL -1)
            string(REPLACE "${candidate}" "${maskedGuid}" bytes "${bytes}")
        endif()
    endforeach()
    set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

# Writes bytes (as read_bytes gives them) to file. Each pair of digits becomes
# a reference to a variable that holds that byte, and one evaluation joins them.
function(write_bytes file bytes)
    if(bytes MATCHES "(^| )00 ")
        message(FATAL_ERROR "${file}: a NUL byte cannot be written back")
    endif()
    foreach(high 0 1 2 3 4 5 6 7 8 9 a b c d e f)
        foreach(low 0 1 2 3 4 5 6 7 8 9 a b c d e f)
            math(EXPR code "0x${high}${low}")
            if(code GREATER 0)
                string(ASCII ${code} "byte_${high}${low}")
            endif()
        endforeach()
    endforeach()
    string(REGEX REPLACE "(..) " "\${byte_\\1}" references "${bytes}")
    cmake_language(EVAL CODE "set(text \"${references}\")")
    file(WRITE "${file}" "${text}")
endfunction()

function(files_below dir out)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${dir}" "${dir}/*")
    list(SORT found)
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Writes the project into <scratch>/<run>/location, as a build server would:
# no display, settings of its own, started from a folder without plug-ins.
function(run_wizard run out)
    set(base "${WIZ_SCRATCH}/${run}")
    set(runtime "${base}/runtime")
    file(MAKE_DIRECTORY "${base}/location" "${base}/config" "${base}/work" "${runtime}")
    file(CHMOD "${runtime}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                QT_QPA_PLATFORM=offscreen "XDG_CONFIG_HOME=${base}/config"
                "XDG_RUNTIME_DIR=${runtime}" "WIZ_PLUGIN_PATH=${WIZ_PLUGIN_DIR}"
                "${WIZ_PROGRAM}" --batch "/path=${base}/location" "/project=${WIZ_PROJECT}"
                "/key=${WIZ_TITLE}" ${WIZ_ARGS}
        WORKING_DIRECTORY "${base}/work"
        RESULT_VARIABLE status
        OUTPUT_VARIABLE output
        ERROR_VARIABLE errors
        TIMEOUT 60)
    if(NOT status STREQUAL "0")
        message(FATAL_ERROR "wiz exited with ${status}\n${output}${errors}")
    endif()
    set(project "${base}/location/${WIZ_PROJECT}")
    files_below("${project}" written)
    if(NOT written)
        message(FATAL_ERROR "wiz wrote nothing into ${project}\n${errors}")
    endif()
    set(${out} "${project}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WIZ_SCRATCH}")
run_wizard(run project)
files_below("${project}" written)

if("$ENV{WIZ_UPDATE_EXPECTED}")
    # A GUID is fresh when a second run writes another one in its place.
    run_wizard(again second)
    file(REMOVE_RECURSE "${WIZ_EXPECTED}")
    foreach(name IN LISTS written)
        set(keep "")
        if(EXISTS "${second}/${name}")
            read_bytes("${second}/${name}" keep)
        endif()
        read_masked("${project}/${name}" "${keep}" masked)
        read_bytes("${project}/${name}" bytes)
        if(masked STREQUAL bytes)
            get_filename_component(folder "${WIZ_EXPECTED}/${name}" DIRECTORY)
            file(COPY "${project}/${name}" DESTINATION "${folder}")
        else()
            write_bytes("${WIZ_EXPECTED}/${name}" "${masked}")
        endif()
    endforeach()
    file(REMOVE_RECURSE "${WIZ_SCRATCH}")
    message(STATUS "Rewrote ${WIZ_EXPECTED}")
    return()
endif()

files_below("${WIZ_EXPECTED}" expected)
set(problems "")
if(NOT written STREQUAL expected)
    string(APPEND problems "files written: ${written}\nfiles expected: ${expected}\n")
else()
    foreach(name IN LISTS written)
        read_bytes("${WIZ_EXPECTED}/${name}" expectedBytes)
        read_masked("${project}/${name}" "${expectedBytes}" actualBytes)
        set(same FALSE)
        if(actualBytes STREQUAL expectedBytes)
            set(same TRUE)
        endif()
        if(NOT same)
            file(SIZE "${project}/${name}" actualSize)
            file(SIZE "${WIZ_EXPECTED}/${name}" expectedSize)
            string(APPEND problems
                "${name}: ${actualSize} bytes, not those expected (${expectedSize} bytes)\n")
        endif()
    endforeach()
endif()
if(problems)
    message(FATAL_ERROR "The project differs from ${WIZ_EXPECTED}:\n${problems}"
        "What the wizard wrote is kept in ${project}; "
        "run the test with WIZ_UPDATE_EXPECTED=1 to take it as the expected tree.")
endif()
file(REMOVE_RECURSE "${WIZ_SCRATCH}")
