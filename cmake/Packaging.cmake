# Installs Quadrix where Debian expects its files and lets CPack build its Debian package.

set(QUADRIX_MAINTAINER "Quadrix developers <quadrix@example.org>")
set(packagingDir ${CMAKE_SOURCE_DIR}/packaging)
set(docDir ${CMAKE_INSTALL_DATAROOTDIR}/doc/quadrix)

# Manual pages and the changelog ship gzip-compressed, without name or time stamp so that
# the same sources give the same package.
find_program(QUADRIX_GZIP gzip REQUIRED)
set(compressedFiles)
function(quadrix_compress source)
  get_filename_component(name ${source} NAME)
  set(copy ${CMAKE_BINARY_DIR}/packaging/${name})
  add_custom_command(OUTPUT ${copy}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
      COMMAND ${QUADRIX_GZIP} -9nf ${copy}
      DEPENDS ${source} VERBATIM)
  set(compressedFiles ${compressedFiles} ${copy}.gz PARENT_SCOPE)
endfunction()

quadrix_compress(${packagingDir}/quadrix-cli.1)
quadrix_compress(${packagingDir}/changelog)
install(FILES ${CMAKE_BINARY_DIR}/packaging/quadrix-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(BUILD_GUI)
  quadrix_compress(${packagingDir}/quadrix.1)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/quadrix.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${packagingDir}/quadrix.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${packagingDir}/quadrix.svg
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
endif()
add_custom_target(packaging_files ALL DEPENDS ${compressedFiles})

install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${packagingDir}/copyright
        DESTINATION ${docDir})
# The examples stay uncompressed so that the program opens them where they are.
set(examples 2s.BI OF1.BI W.BI cgcut1.BI cgcut2.BI gcut1.BI README.md)
list(TRANSFORM examples PREPEND ${CMAKE_SOURCE_DIR}/examples/)
install(FILES ${examples} DESTINATION ${docDir}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quadrix)
set(CPACK_PACKAGE_VENDOR Quadrix)
set(CPACK_PACKAGE_CONTACT ${QUADRIX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Two-dimensional guillotine cutting: AND/OR graph search and Wang's algorithm")
# Debian shows the description as written: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Quadrix finds guillotine cutting patterns of rectangular pieces on a plate
with a depth-limited AND/OR graph search, for the unconstrained and the
constrained problem, and with Wang's algorithm, which seeks the pattern of
least waste. It shows the report and draws the best pattern, which can be
exported as PNG or SVG and printed.

The user interface is in Portuguese. quadrix-cli runs both methods without a
window. Example problems are installed in /usr/share/doc/quadrix/examples.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUADRIX_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The platform plugins, without which no window opens, are loaded at run time: no library
# names them.
find_program(QUADRIX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUADRIX_DPKG_SHLIBDEPS)
  # The C, C++ and Qt runtimes at the versions the binaries were linked against.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6, libqt6printsupport6, libqt6gui6, libqt6core6, qt6-qpa-plugins")
endif()

include(CPack)
