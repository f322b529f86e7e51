# What an installed game consists of. The executable finds its bundled files through the data
# folder's place relative to its own, so any prefix works (`make install PREFIX=...`, the
# Debian package, a staging folder).
install(TARGETS jigsaw_game RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The bundled picture library and the wave files, read but never written by the game.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/gazou/ DESTINATION ${JIGSAW_DATA_DIR}/gazou
    FILES_MATCHING PATTERN "*.jpg")
install(FILES
    ${PROJECT_SOURCE_DIR}/assets/gazou.wav
    ${PROJECT_SOURCE_DIR}/assets/click.wav
    ${PROJECT_SOURCE_DIR}/assets/kansei.wav
    ${PROJECT_SOURCE_DIR}/assets/Tesselbgm.wav
    DESTINATION ${JIGSAW_DATA_DIR})

# Desktop entry, icon and AppStream data, each named after the application id.
configure_file(${PROJECT_SOURCE_DIR}/data/jigsaw-puzzle.desktop.in
    ${CMAKE_BINARY_DIR}/data/${JIGSAW_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/jigsaw-puzzle.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/data/${JIGSAW_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/data/${JIGSAW_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/data/${JIGSAW_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/icon.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${JIGSAW_APP_ID}.svg)
foreach(size IN LISTS JIGSAW_ICON_SIZES)
    install(FILES ${JIGSAW_ICON_DIR}/${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${JIGSAW_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${JIGSAW_EXECUTABLE})
