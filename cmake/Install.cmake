# Installing Sprintara as a desktop application, and its Debian package.
#
# The program carries its windows, skin and icon inside itself; the only
# folder it looks at next to its own file is the optional skin folder. So
# the install is the program, the snapshot tool, the menu entry, the icon in
# every size of the hicolor theme and the software-centre description.
include(GNUInstallDirs)

set(SPRINTARA_APP_ID org.sprintara.Sprintara)

install(TARGETS sprintara sprintara-snapshot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${SPRINTARA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${SPRINTARA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS SPRINTARA_ICON_SIZES)
  install(FILES ${SPRINTARA_ICON_DIR}/sprintara-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${SPRINTARA_APP_ID}.png)
endforeach()

set(CPACK_PACKAGE_NAME sprintara)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_VENDOR "The Sprintara developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Console for running a greyhound race day")
set(CPACK_PACKAGE_INSTALL_DIRECTORY sprintara)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Sprintara developers <sprintara@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries come from what the programs link; the fonts the windows
# ask for by name are found through fontconfig among these.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
