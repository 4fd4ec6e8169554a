# Installation into a prefix (cmake --install) and the Debian package (cpack, scripts/package).
# The programs go to bin/, their data to share/orvane/, where an installed program finds it as
# ../share/orvane/ beside its own folder; the desktop files go where the desktop looks.

include(GNUInstallDirs)

set(ORVANE_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)

install(TARGETS orvane orvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/utils ${CMAKE_SOURCE_DIR}/help
        DESTINATION ${CMAKE_INSTALL_DATADIR}/orvane
        PATTERN ".keep" EXCLUDE)

install(FILES ${ORVANE_DIST_DIR}/${ORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ORVANE_DIST_DIR}/${ORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ORVANE_DIST_DIR}/orvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ORVANE_APP_ID}.svg)
install(FILES ${ORVANE_DIST_DIR}/orvane-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME orvane-cli)

# Manual pages carry the version and are compressed, as Debian installs them.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(man_pages)
foreach(page orvane.1 orvane-cli.1)
  configure_file(${ORVANE_DIST_DIR}/${page}.in ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
    COMMAND ${GZIP_PROGRAM} -9nf -k ${CMAKE_BINARY_DIR}/man/${page}
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}
    COMMENT "Compressing the manual page ${page}")
  list(APPEND man_pages ${CMAKE_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(orvane_man ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Orvane developers <orvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check, rename, sort and convert FictionBook 2 books")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Orvane gathers FictionBook 2 books (FB2 files, often one per ZIP archive)
into a list, shows the description of the selected book, and in one run validates the ticked
books against the FB2 schema, renames them by their metadata, sorts them into folders, converts
them to text, HTML or RTF and packs them into ZIP archives. Its user interface is in Russian.

The package holds the desktop program orvane and the command-line program orvane-cli.")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://orvane.example.org/)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries from the binaries; the Russian texts of Qt's own dialogs are data, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, shared-mime-info")
include(CPack)
