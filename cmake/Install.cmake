# What `cmake --install` puts under the prefix: the two programs, the desktop
# entry, the icon, the AppStream metadata, the user guide, the manual page of
# pallworth-cli and its bash completion.
include(GNUInstallDirs)

set(PALLWORTH_WEB_URL "https://pallworth.brannock.example"
    CACHE STRING "Where the project's home page and screenshot are published")

set(_desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
set(_icons ${PROJECT_SOURCE_DIR}/resources/icons)
set(_generated ${PROJECT_BINARY_DIR}/desktop)
configure_file(${_desktop}/${PALLWORTH_APP_ID}.metainfo.xml.in
               ${_generated}/${PALLWORTH_APP_ID}.metainfo.xml @ONLY)
configure_file(${_desktop}/pallworth-cli.1.in ${_generated}/pallworth-cli.1 @ONLY)

install(TARGETS pallworth pallworth-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_desktop}/${PALLWORTH_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_generated}/${PALLWORTH_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_icons}/${PALLWORTH_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${_icons}/hicolor/${size}x${size}/${PALLWORTH_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/help/guide.html
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pallworth)
install(FILES ${_generated}/pallworth-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_desktop}/pallworth-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME pallworth-cli)
