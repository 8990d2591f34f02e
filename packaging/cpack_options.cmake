# Read by cpack for each generator it runs. The Debian package installs below
# /usr; a source archive has no install prefix at all.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
