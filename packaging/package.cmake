# What the Debian package installs, and the package itself (tools/package).
include(GNUInstallDirs)

install(TARGETS velmora velmora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/it.ostrevia.velmora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME velmora.png)
endforeach()

# Man pages and the changelog are installed compressed, as Debian wants them.
set(compressed ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${compressed})
foreach(page velmora.1 velmora-cli.1)
  if(page STREQUAL "velmora.1")
    set(source ${CMAKE_CURRENT_LIST_DIR}/${page})
  else()
    set(source ${PROJECT_SOURCE_DIR}/doc/${page})
  endif()
  add_custom_command(OUTPUT ${compressed}/${page}.gz
                     COMMAND gzip -9n -c ${source} > ${compressed}/${page}.gz
                     DEPENDS ${source})
  list(APPEND compressed_files ${compressed}/${page}.gz)
  install(FILES ${compressed}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_command(OUTPUT ${compressed}/changelog.gz
                   COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${compressed}/changelog.gz
                   DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
add_custom_target(package_files ALL DEPENDS ${compressed_files} ${compressed}/changelog.gz)
install(FILES ${compressed}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Ostrevia <velmora@ostrevia.it>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "register of services for a professional office")
set(CPACK_PACKAGE_DESCRIPTION "Keeps the register of services rendered to clients, the client registry,\nreasons with prices and operators; bills services one at a time or in bulk,\nwarns about services that lost their links, prints statements and reports.\nThe data lives in one encrypted file in the user's data folder, with\nverified daily copies. velmora-cli does the same work from scripts and cron.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
