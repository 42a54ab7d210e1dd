# `make install` (cmake --install): both programs, the desktop entry with the
# network files' MIME type, the icon (scalable and at fixed sizes) and the README, under CMAKE_INSTALL_PREFIX
# (DESTDIR honoured). cmake --install leaves install_manifest.txt in the build
# folder; `make uninstall` removes what it lists.
include(GNUInstallDirs)
install(TARGETS quendavore quendavore-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/quendavore.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/quendavore-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quendavore.xml)
install(FILES ${PROJECT_SOURCE_DIR}/data/quendavore.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The fixed sizes data/ renders from the SVG at build time.
foreach(size ${QV_ICON_SIZES})
  install(FILES ${QV_ICON_DIR}/${size}x${size}/apps/quendavore.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quendavore)
