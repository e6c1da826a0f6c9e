# The game as players install it: `make package` builds quendal-the-warden_<version>_<arch>.deb
# with the program in /usr/games, its data in /usr/share/quendal-the-warden, a menu entry, icons,
# the manual page (made from --help) and the copyright file.
set(QUENDAL_GAME_NAME quendal-the-warden)
set(QUENDAL_GAME_DATA ${CMAKE_INSTALL_DATADIR}/${QUENDAL_GAME_NAME})
set(QUENDAL_GAME_DOC ${CMAKE_INSTALL_DATADIR}/doc/${QUENDAL_GAME_NAME})
set(debian ${CMAKE_SOURCE_DIR}/cmake/debian)

# The manual page and the changelog, compressed as Debian packages keep them.
add_custom_command(
  OUTPUT quendal.6.gz changelog.gz
  COMMAND bash ${CMAKE_SOURCE_DIR}/tools/make_manpage.sh $<TARGET_FILE:quendal> quendal.6
  COMMAND gzip -9nf quendal.6
  COMMAND bash -c "gzip -9nc \"$1\" >changelog.gz" - ${debian}/changelog
  DEPENDS quendal ${CMAKE_SOURCE_DIR}/tools/make_manpage.sh ${debian}/changelog
  VERBATIM)
add_custom_target(package_documents ALL DEPENDS quendal.6.gz changelog.gz)

install(TARGETS quendal RUNTIME DESTINATION games)
file(GLOB QUENDAL_GAME_SOUNDS ${CMAKE_SOURCE_DIR}/assets/*.wav)
install(FILES assets/bg.jpg assets/fire_bg_full.jpg ${QUENDAL_GAME_SOUNDS} assets/demo.rec
        DESTINATION ${QUENDAL_GAME_DATA}/assets)
install(FILES "assets/Cornerstone Regular.ttf" DESTINATION ${QUENDAL_GAME_DATA})
install(FILES ${debian}/${QUENDAL_GAME_NAME}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES assets/icons/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QUENDAL_GAME_NAME}.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/quendal.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${debian}/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${QUENDAL_GAME_DOC})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${QUENDAL_GAME_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Quendal The Warden maintainers <maintainers@users.noreply.c-seed-68d8971b.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: steer the paddle, send every ball back up")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Two balls bounce around a band of fire. Each bounce on the paddle scores a\npoint; a ball that slips past it ends the game. The best score is kept in\nthe player's own data folder.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
