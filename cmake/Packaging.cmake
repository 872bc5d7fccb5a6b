# The Debian package, built by scripts/package (cpack -G DEB in the build folder): the
# installed programs, menu entry, icons, file type, metainfo and manual pages, with the
# dependencies dpkg-shlibdeps finds in the programs' shared libraries.
install(FILES ${PROJECT_SOURCE_DIR}/desktop/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
configure_file(${PROJECT_SOURCE_DIR}/desktop/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nf -c changelog > changelog.gz
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/debian
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog)
add_custom_target(ts4720-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ts4720fp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarsel Ltd.")
set(CPACK_PACKAGE_CONTACT "Tarsel Ltd. <support@tarsel.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to dpkg-shlibdeps: the Plastique style (Fusion otherwise)
# and xdg-open for the instrument's web interface.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt5-style-plugins, xdg-utils")
# The synopsis comes from the summary; CPack indents each line of the rest and turns an
# empty line into the paragraph mark.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Configures the channels of a Korvan 4720 isolated LXI thermocouple
instrument (16, 32 or 48 channels), shows live temperatures, runs and
records acquisitions into CSV files, opens recordings again, manages the
files stored on the instrument and configures its trigger lines. Without
an instrument it runs in demo mode.

Also holds ts4720-record (recording without a screen), ts4720-csvinfo
(what a recording holds) and ts4720-sim (a simulated instrument).")
include(CPack)
