# What a player gets: the game, its assets and the root marker the asset search stops at, which
# must lie beside assets/.
set(CPACK_PACKAGE_NAME zarnok)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZARNOK 2023")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person endless runner over a floor of falling cubes")

if(WIN32)
  install(TARGETS zarnok RUNTIME DESTINATION .)
  install(DIRECTORY assets DESTINATION .)
  install(FILES cmake/root-marker.txt DESTINATION . RENAME CMakeLists.txt)
  install(FILES packaging/windows/README.txt DESTINATION .)
  # Licence texts of everything linked into zarnok.exe, gathered by scripts/windows-build.
  install(DIRECTORY ${CMAKE_BINARY_DIR}/licenses/ DESTINATION licenses)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME zarnok-${PROJECT_VERSION}-windows-x64)
else()
  # <prefix>/lib/zarnok holds the game as it runs; <prefix>/games/zarnok links to it. The game
  # looks for its assets from its real path, so the link finds them.
  set(game_folder lib/zarnok)
  install(TARGETS zarnok RUNTIME DESTINATION ${game_folder})
  install(DIRECTORY assets DESTINATION ${game_folder})
  install(FILES cmake/root-marker.txt DESTINATION ${game_folder} RENAME CMakeLists.txt)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
  file(CREATE_LINK ../${game_folder}/zarnok ${CMAKE_BINARY_DIR}/packaging/zarnok SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/zarnok DESTINATION games)

  # Software centres find the game by its metainfo, and its menu entry by the same id.
  install(FILES packaging/linux/org.zarnok2023.zarnok.desktop DESTINATION share/applications)
  install(FILES packaging/linux/org.zarnok2023.zarnok.metainfo.xml DESTINATION share/metainfo)
  foreach(size 48 128 256)
    install(FILES assets/icons/zarnok-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME zarnok.png)
  endforeach()
  # Debian wants the manual and the changelog compressed, reproducibly.
  foreach(file zarnok.6 changelog)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${file}.gz
                       COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/linux/${file} > ${CMAKE_BINARY_DIR}/packaging/${file}.gz
                       DEPENDS packaging/linux/${file})
  endforeach()
  add_custom_target(packaging_files ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/zarnok.6.gz
                                                ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/zarnok.6.gz DESTINATION share/man/man6)
  install(FILES packaging/linux/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION share/doc/zarnok)

  set(CPACK_GENERATOR DEB TGZ)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_PACKAGE_FILE_NAME zarnok-${PROJECT_VERSION}-linux-x86_64)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "ZARNOK 2023 developers <zarnok@example.org>")
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_PACKAGE_DESCRIPTION "You run forward on your own over a floor of cubes that hangs over a void.
Every cube you touch drops a moment later and scores a point; the track grows
segment by segment with platforms and spinning powerups. Fall and the run is
over; play again to beat your best score.")
  # The runtime dependencies are read off the binary's libraries.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
  # --export-video runs the ffmpeg program; the game plays without it.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS ffmpeg)
endif()
include(CPack)
