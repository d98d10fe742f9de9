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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamirel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Draw a regular polygon inscribed in a circle")
set(CPACK_PACKAGE_DESCRIPTION "Tamirel is a small program for school geometry: it draws a regular polygon with 3 to 20 vertices inscribed in a circle of a chosen radius, in a chosen line style, beside a short Bulgarian text on regular polygons.")
set(CPACK_PACKAGE_CONTACT "Tamirel developers <tamirel@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's font: "Times New Roman" resolves to its metric-compatible stand-in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
include(CPack)
