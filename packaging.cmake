# Installation as a desktop program, and the Debian package built from it.
include(GNUInstallDirs)

set(TAMIREL_APP_ID bg.tamirel.Tamirel)
set(res ${PROJECT_SOURCE_DIR}/resources)

install(TARGETS tamirel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${res}/${TAMIREL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${res}/${TAMIREL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${res}/tamirel-32.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME ${TAMIREL_APP_ID}.png)
install(FILES ${res}/tamirel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TAMIREL_APP_ID}.svg)
install(FILES ${res}/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tamirel)

# The manual page and the changelog, compressed as Debian installs them (no name or time
# stamp in the gzip header, so the package is reproducible).
if(UNIX)
  find_program(GZIP gzip REQUIRED)
  set(gz ${PROJECT_BINARY_DIR}/gz)
  add_custom_command(OUTPUT ${gz}/tamirel.1.gz ${gz}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${gz}
    COMMAND ${GZIP} -9n -c ${res}/tamirel.1 > ${gz}/tamirel.1.gz
    COMMAND ${GZIP} -9n -c ${res}/debian/changelog > ${gz}/changelog.gz
    DEPENDS ${res}/tamirel.1 ${res}/debian/changelog
    VERBATIM)
  add_custom_target(tamirel_docs ALL DEPENDS ${gz}/tamirel.1.gz ${gz}/changelog.gz)
  install(FILES ${gz}/tamirel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${gz}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tamirel)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamirel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw a regular polygon inscribed in a circle")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tamirel is a small program for school geometry. It draws a regular polygon
with 3 to 20 vertices inscribed in a circle of a chosen radius, in a chosen
line style, beside a short Bulgarian text on regular polygons and their
interior angle. The drawing can be copied or saved as PNG or SVG.")
set(CPACK_PACKAGE_CONTACT "Tamirel developers <developers@tamirel.bg>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's font: "Times New Roman" resolves to its metric-compatible stand-in. The
# toolkit's own words (file dialog, message boxes) in Bulgarian.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
include(CPack)
