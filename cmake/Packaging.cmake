# Installs Quadrix as a desktop program and lets CPack build its Debian package.

if(BUILD_GUI)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/quadrix.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/quadrix.svg
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quadrix)
set(CPACK_PACKAGE_VENDOR Quadrix)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Two-dimensional guillotine cutting: AND/OR graph search and Wang's algorithm")
set(CPACK_PACKAGE_DESCRIPTION
    "Quadrix finds guillotine cutting patterns of rectangular pieces on a plate, with a \
depth-limited AND/OR graph search and with Wang's algorithm, and draws the best pattern. \
The user interface is in Portuguese; quadrix-cli runs both methods without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER Quadrix)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The Qt runtime by name, and the platform plugins without which no window opens.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6, libqt6printsupport6, libqt6gui6, libqt6core6, qt6-qpa-plugins")
find_program(QUADRIX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUADRIX_DPKG_SHLIBDEPS)
  # Adds the exact C and C++ runtime versions the binaries were linked against.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
