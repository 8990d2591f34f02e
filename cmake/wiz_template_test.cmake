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

# Runs the wizard with arguments as a build server would: no display, and
# settings, data and cache folders of its own below <scratch>/<run>, so that
# nothing the user installed can take part; started from a folder without
# plug-ins. Sets status, output and errors.
function(run_sealed run)
    set(base "${WIZ_SCRATCH}/${run}")
    set(runtime "${base}/runtime")
    file(MAKE_DIRECTORY "${base}/location" "${base}/config" "${base}/data" "${base}/cache"
        "${base}/work" "${runtime}")
    file(CHMOD "${runtime}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                QT_QPA_PLATFORM=offscreen "XDG_CONFIG_HOME=${base}/config"
                "XDG_DATA_HOME=${base}/data" "XDG_CACHE_HOME=${base}/cache"
                "XDG_RUNTIME_DIR=${runtime}" "WIZ_PLUGIN_PATH=${WIZ_PLUGIN_DIR}"
                "${WIZ_PROGRAM}" ${ARGN}
        WORKING_DIRECTORY "${base}/work"
        RESULT_VARIABLE status
        OUTPUT_VARIABLE output
        ERROR_VARIABLE errors
        TIMEOUT 60)
    set(status "${status}" PARENT_SCOPE)
    set(output "${output}" PARENT_SCOPE)
    set(errors "${errors}" PARENT_SCOPE)
endfunction()

# The template of WIZ_TITLE must be the one just built: the library that the
# listing gives last for the title, as the run takes it.
function(check_library)
    run_sealed(list --list --json)
    if(NOT status STREQUAL "0")
        message(FATAL_ERROR "wiz --list --json exited with ${status}\n${errors}")
    endif()
    set(ran "")
    string(JSON count LENGTH "${output}")
    if(count GREATER 0)
        math(EXPR last "${count} - 1")
        foreach(index RANGE ${last})
            string(JSON title GET "${output}" ${index} title)
            if(title STREQUAL WIZ_TITLE)
                string(JSON ran GET "${output}" ${index} library)
            endif()
        endforeach()
    endif()
    if(ran STREQUAL "")
        message(FATAL_ERROR "No template is titled \"${WIZ_TITLE}\" in ${WIZ_PLUGIN_DIR}\n${errors}")
    endif()
    file(REAL_PATH "${ran}" ranReal)
    if(WIZ_LIBRARY)
        set(built "${WIZ_LIBRARY}")
        file(REAL_PATH "${WIZ_LIBRARY}" builtReal)
        set(same FALSE)
        if(ranReal STREQUAL builtReal)
            set(same TRUE)
        endif()
    else()
        set(built "the libraries in ${WIZ_PLUGIN_DIR}")
        file(REAL_PATH "${WIZ_PLUGIN_DIR}" builtReal)
        get_filename_component(ranFolder "${ranReal}" DIRECTORY)
        set(same FALSE)
        if(ranFolder STREQUAL builtReal)
            set(same TRUE)
        endif()
    endif()
    if(NOT same)
        message(FATAL_ERROR "The template \"${WIZ_TITLE}\" runs from ${ran}, "
            "not from the library just built: ${built}")
    endif()
endfunction()

# Writes the project into <scratch>/<run>/location.
function(run_wizard run out)
    set(base "${WIZ_SCRATCH}/${run}")
    run_sealed(${run} --batch "/path=${base}/location" "/project=${WIZ_PROJECT}"
        "/key=${WIZ_TITLE}" ${WIZ_ARGS})
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

# The offset of the first byte where two byte strings (as read_bytes gives
# them) differ, found by halving: the shorter length when one begins the other.
function(first_difference a b out)
    string(LENGTH "${a}" lengthA)
    string(LENGTH "${b}" lengthB)
    set(high ${lengthA})
    if(lengthB LESS lengthA)
        set(high ${lengthB})
    endif()
    math(EXPR high "${high} / 3")
    set(low 0)
    while(low LESS high)
        math(EXPR middle "(${low} + ${high} + 1) / 2")
        math(EXPR chars "${middle} * 3")
        string(SUBSTRING "${a}" 0 ${chars} prefixA)
        string(SUBSTRING "${b}" 0 ${chars} prefixB)
        if(prefixA STREQUAL prefixB)
            set(low ${middle})
        else()
            math(EXPR high "${middle} - 1")
        endif()
    endwhile()
    set(${out} ${low} PARENT_SCOPE)
endfunction()

# How the file name differs from what is expected: a unified diff of a text
# file (GUIDs masked as compared), the first differing offset of a binary one.
function(describe_difference name expectedBytes actualBytes out)
    if("${expectedBytes}${actualBytes}" MATCHES "(^| )00 ")
        first_difference("${expectedBytes}" "${actualBytes}" offset)
        set(${out} "${name}: binary files differ first at byte offset ${offset}\n" PARENT_SCOPE)
        return()
    endif()
    set(masked "${WIZ_SCRATCH}/masked/${name}")
    get_filename_component(folder "${masked}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    write_bytes("${masked}" "${actualBytes}")
    find_program(WIZ_DIFF diff)
    if(WIZ_DIFF)
        execute_process(COMMAND "${WIZ_DIFF}" -u --label "expected/${name}" --label "written/${name}"
                "${WIZ_EXPECTED}/${name}" "${masked}"
            OUTPUT_VARIABLE difference)
        set(${out} "${difference}" PARENT_SCOPE)
        return()
    endif()
    first_difference("${expectedBytes}" "${actualBytes}" offset)
    math(EXPR chars "${offset} * 3")
    string(SUBSTRING "${expectedBytes}" 0 ${chars} before)
    string(REGEX MATCHALL "0a " newlines "${before}")
    list(LENGTH newlines line)
    math(EXPR line "${line} + 1")
    file(STRINGS "${WIZ_EXPECTED}/${name}" expectedLines)
    file(STRINGS "${masked}" actualLines)
    set(expectedLine "")
    set(actualLine "")
    math(EXPR index "${line} - 1")
    list(LENGTH expectedLines count)
    if(index LESS count)
        list(GET expectedLines ${index} expectedLine)
    endif()
    list(LENGTH actualLines count)
    if(index LESS count)
        list(GET actualLines ${index} actualLine)
    endif()
    string(CONCAT difference "${name}: line ${line} differs first, at byte offset ${offset}\n"
        "-${expectedLine}\n+${actualLine}\n")
    set(${out} "${difference}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WIZ_SCRATCH}")
check_library()
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
            describe_difference("${name}" "${expectedBytes}" "${actualBytes}" difference)
            string(APPEND problems "${difference}")
        endif()
    endforeach()
endif()
if(problems)
    # As they are: a FATAL_ERROR message would indent and rewrap the diff.
    message(NOTICE "${problems}")
    message(FATAL_ERROR "The project differs from ${WIZ_EXPECTED} as shown above. "
        "What the wizard wrote is kept in ${project}; "
        "run the test with WIZ_UPDATE_EXPECTED=1 to take it as the expected tree.")
endif()
file(REMOVE_RECURSE "${WIZ_SCRATCH}")
