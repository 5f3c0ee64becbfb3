# What a player gets: the game, its assets and the root marker the asset search stops at.
if(WIN32)
  install(TARGETS zarnok RUNTIME DESTINATION .)
  install(DIRECTORY assets DESTINATION .)
  install(FILES cmake/root-marker.txt DESTINATION . RENAME CMakeLists.txt)
  install(FILES packaging/windows/README.txt DESTINATION .)
  # Licence texts of everything linked into zarnok.exe, gathered by scripts/windows-build.
  install(DIRECTORY ${CMAKE_BINARY_DIR}/licenses/ DESTINATION licenses)

  set(CPACK_PACKAGE_NAME zarnok)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGE_VENDOR "ZARNOK 2023")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A first-person endless runner over a floor of falling cubes")
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME zarnok-${PROJECT_VERSION}-windows-x64)
  include(CPack)
endif()
