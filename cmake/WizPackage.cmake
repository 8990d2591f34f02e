include_guard(GLOBAL)

# wiz_package_plugin(<name> [FOLDER <template folder>] [PACKAGE_NAME <package>]
#                    [VERSION <version>] [MAINTAINER "<name> <address>"] [SUMMARY <line>])
# Makes `cmake --build <build> --target package` (or cpack in <build>) write a
# Debian package of the template plug-in <name> alone, which installs it into
# /usr/lib/wiz/plugins, where the packaged wizard lists it. The package is
# named PACKAGE_NAME (by default wiz-template-<name>, in lower case with "-"
# for "_"), has the project's version unless VERSION is given, and depends on
# the wizard whose kit built it. MAINTAINER defaults to $DEBFULLNAME <$DEBEMAIL>.
# One call a project: a build tree makes one package.
#
# With FOLDER, <name> is a template folder (template.json and files/) rather
# than a plug-in target: the package installs it as it is, execute bits kept,
# into /usr/share/wiz/templates/<name>, where the packaged wizard finds it.
function(wiz_package_plugin name)
    cmake_parse_arguments(PACKAGE "" "FOLDER;PACKAGE_NAME;VERSION;MAINTAINER;SUMMARY" "" ${ARGN})
    if(PACKAGE_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "wiz_package_plugin(${name}): unknown arguments ${PACKAGE_UNPARSED_ARGUMENTS}")
    endif()
    if(PACKAGE_FOLDER)
        get_filename_component(PACKAGE_FOLDER "${PACKAGE_FOLDER}" ABSOLUTE
            BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
        if(NOT EXISTS "${PACKAGE_FOLDER}/template.json")
            message(FATAL_ERROR "wiz_package_plugin(${name}): ${PACKAGE_FOLDER} holds no template.json")
        endif()
    elseif(NOT TARGET ${name})
        message(FATAL_ERROR "wiz_package_plugin(${name}): declare it with wiz_add_plugin() first")
    endif()
    get_property(packaged GLOBAL PROPERTY WIZ_PACKAGED_PLUGIN)
    if(packaged)
        message(FATAL_ERROR "wiz_package_plugin(${name}): this project packages ${packaged} already")
    endif()
    set_property(GLOBAL PROPERTY WIZ_PACKAGED_PLUGIN ${name})

    string(TOLOWER "wiz-template-${name}" package)
    string(REPLACE "_" "-" package "${package}")
    if(PACKAGE_PACKAGE_NAME)
        set(package "${PACKAGE_PACKAGE_NAME}")
    endif()
    set(version "${PROJECT_VERSION}")
    if(PACKAGE_VERSION)
        set(version "${PACKAGE_VERSION}")
    endif()
    if(NOT version)
        message(FATAL_ERROR "wiz_package_plugin(${name}): give VERSION or project(... VERSION ...)")
    endif()
    set(maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
    if(PACKAGE_MAINTAINER)
        set(maintainer "${PACKAGE_MAINTAINER}")
    elseif(NOT "$ENV{DEBEMAIL}")
        set(maintainer "Author of ${name}")
    endif()
    set(summary "template ${name} for the ZELK application wizard")
    if(PACKAGE_SUMMARY)
        set(summary "${PACKAGE_SUMMARY}")
    endif()

    # A component of its own, so the package holds this template and nothing else.
    if(PACKAGE_FOLDER)
        install(DIRECTORY "${PACKAGE_FOLDER}/" DESTINATION share/wiz/templates/${name}
            COMPONENT ${name} USE_SOURCE_PERMISSIONS)
    else()
        install(TARGETS ${name} LIBRARY DESTINATION lib/wiz/plugins COMPONENT ${name})
    endif()
    string(TOUPPER "${name}" component)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME "${package}")
    set(CPACK_PACKAGE_VERSION "${version}")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_ALL ${name})
    set(CPACK_DEBIAN_${component}_PACKAGE_NAME "${package}")
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_PACKAGE_CONTACT "${maintainer}")
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${maintainer}")
    set(CPACK_DEBIAN_${component}_DESCRIPTION "${summary}")
    set(CPACK_DEBIAN_PACKAGE_SECTION devel)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The stamp makes a wizard of another major version refuse the template.
    if(ZelkWizard_VERSION_MAJOR)
        math(EXPR nextMajor "${ZelkWizard_VERSION_MAJOR} + 1")
        set(CPACK_DEBIAN_PACKAGE_DEPENDS "wiz (>= ${ZelkWizard_VERSION}), wiz (<< ${nextMajor})")
    endif()
    find_program(WIZ_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(WIZ_DPKG_SHLIBDEPS AND NOT PACKAGE_FOLDER)
        set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    endif()
    # A template folder is data: one package serves every architecture.
    if(PACKAGE_FOLDER)
        set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE all)
    endif()
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    include(CPack)
endfunction()
