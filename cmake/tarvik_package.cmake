# The Debian package built by CPack ("make deb", or cpack -G DEB in the build tree): the
# programs, help, examples, desktop entry, icons, file types, metainfo and manual pages under
# /usr, with Depends worked out from the programs' libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarvik developers")
set(CPACK_PACKAGE_CONTACT "The Tarvik developers <tarvik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "function and sequence explorer")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvik draws the graph of an expression in x on a decimal grid, or computes one value; it "
    "gives the value, derivative and integral at a point, and tables sequences. tarvik-cli does "
    "the same from the shell.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts for the Russian dialogs and buttons.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
include(CPack)

# The package's file list and Depends, when the packaging tools are there.
find_program(TARVIK_DPKG_DEB dpkg-deb)
find_program(TARVIK_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TARVIK_DPKG_DEB AND TARVIK_DPKG_SHLIBDEPS AND (BUILD_TESTING OR NOT DEFINED BUILD_TESTING))
    add_test(NAME package.Deb
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DAPPDIR=${TARVIK_INSTALL_APPDIR}
                     -DVERSION=${PROJECT_VERSION} -DDPKG_DEB=${TARVIK_DPKG_DEB}
                     -P ${PROJECT_SOURCE_DIR}/cmake/test_package.cmake)
    set_tests_properties(package.Deb PROPERTIES RUN_SERIAL ON)
endif()
