# Read by cpack for each generator it runs. The Debian package takes the game and the
# binary's /usr/games copy, leaving out the <prefix>/bin copy a plain install makes.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_INSTALL_CMAKE_PROJECTS
      "${CPACK_FLIPORA_BUILD_DIR};Flipora;game;/"
      "${CPACK_FLIPORA_BUILD_DIR};Flipora;package_binary;/")
endif()
