# Run by CPack on its staging tree before it makes the package. The directories
# an install makes on its way follow the umask of whoever builds the package;
# under a strict one the package would create /usr/lib/wiz/plugins readable by
# root alone, and other users would see no templates. Packaged directories are
# always rwxr-xr-x, as on any Debian system; files keep the modes install gave.
file(GLOB_RECURSE directories LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(APPEND directories "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
foreach(entry IN LISTS directories)
    if(IS_DIRECTORY "${entry}" AND NOT IS_SYMLINK "${entry}")
        file(CHMOD "${entry}" DIRECTORY_PERMISSIONS
            OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
endforeach()
