# The Linux build's own, included by the top-level CMakeLists.txt after every target: the
# guard on the source lists, the install into a prefix and the Debian package.

# The guard on the lists: a .cpp file in the tree that no target builds stops the
# configuration, so a new file can never be left out quietly (the one glob, and only here).
function(flipora_listed_sources dir out)
  set(found)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(sources ${target} SOURCES)
    get_target_property(target_dir ${target} SOURCE_DIR)
    foreach(source IN LISTS sources)
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${target_dir} NORMALIZE)
      list(APPEND found ${source})
    endforeach()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    flipora_listed_sources(${subdir} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
flipora_listed_sources(${CMAKE_SOURCE_DIR} LISTED_SOURCES)
file(GLOB_RECURSE TREE_SOURCES ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.cpp
     ${CMAKE_SOURCE_DIR}/game/*.cpp ${CMAKE_SOURCE_DIR}/platform/*.cpp
     ${CMAKE_SOURCE_DIR}/prefs/*.cpp ${CMAKE_SOURCE_DIR}/render/*.cpp ${CMAKE_SOURCE_DIR}/scores/*.cpp
     ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.cpp)
if(NOT TARGET flipora_art)
  list(FILTER TREE_SOURCES EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/tools/art_")  # no Cairo
endif()
if(NOT TARGET unit_tests)
  list(FILTER TREE_SOURCES EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/tests/")  # no googletest
endif()
list(FILTER TREE_SOURCES EXCLUDE REGEX "/win32/")  # the Windows build's own
if(NOT FLIPORA_FUZZ)
  list(FILTER TREE_SOURCES EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/tests/fuzz/")  # clang's build only
endif()
list(REMOVE_ITEM TREE_SOURCES ${LISTED_SOURCES})
if(TREE_SOURCES)
  message(FATAL_ERROR "Sources no target builds (add them to a list): ${TREE_SOURCES}")
endif()

# Installing: the binary, the data folder it reads, and the desktop files (desktop/).
#
# The binary: the Debian package puts a game in /usr/games, as Debian's policy has it (on
# every user's PATH there, and the menu entry runs it by name). An install into a prefix
# (~/.local, /opt/flipora) puts it in <prefix>/bin, which is on PATH where <prefix>/games is
# not. So the binary is installed twice over, as two components: plain `cmake --install` takes
# bin, the package takes games. Both lie beside share/, so the data is found the same way.
set(FLIPORA_PACKAGE_BINDIR games)
file(RELATIVE_PATH data_from_games ${CMAKE_INSTALL_PREFIX}/${FLIPORA_PACKAGE_BINDIR}
     ${FLIPORA_INSTALLED_DATA_DIR})
if(NOT data_from_games STREQUAL FLIPORA_DATA_FROM_BIN)
  message(FATAL_ERROR "The data folder must lie the same way from ${CMAKE_INSTALL_BINDIR} and "
                      "from ${FLIPORA_PACKAGE_BINDIR}: the game looks for ${FLIPORA_DATA_FROM_BIN}")
endif()
install(TARGETS flipora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT prefix_binary)
install(TARGETS flipora RUNTIME DESTINATION ${FLIPORA_PACKAGE_BINDIR} COMPONENT package_binary
        EXCLUDE_FROM_ALL)
install(FILES ${INSTALLED_DATA} DESTINATION ${CMAKE_INSTALL_DATADIR}/flipora/data)
# Each language's own images with words, in its folder of data/.
foreach(code IN LISTS FLIPORA_LANGUAGES)
  install(DIRECTORY data/${code}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/flipora/data/${code}
          FILES_MATCHING PATTERN "*.bmp")
endforeach()

# `cpack -G DEB` in the build folder: flipora_1.0_<arch>.deb, installing under /usr. Its
# run-time dependencies are worked out from the binary by dpkg-shlibdeps, plus what the game
# opens by name rather than links: libgl1, through which SDL opens GLX, and the font the
# text is drawn with (fontconfig finds DejaVu Sans Bold in fonts-dejavu-core).
set(CPACK_PACKAGE_NAME flipora)
set(CPACK_PACKAGE_VENDOR "${FLIPORA_DEVELOPER}")
set(CPACK_PACKAGE_CONTACT "${FLIPORA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "memory game: find the picture pairs among sixteen blocks")
# Debian wants the lines of the long description under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Sixteen blocks lie face down in a 4 x 4 grid hiding eight picture pairs;\n"
  "turn two per turn with the mouse or the keyboard.\n"
  "Time trial: as many pairs as you can find in two minutes.\n"
  "Normal mode: three boards, 24 pairs, fewer moves score higher.\n"
  "Each mode keeps its five best scores, per player.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, fonts-dejavu-core")
# The Debian package takes everything but the prefix's binary (cpack_options.cmake).
set(CPACK_FLIPORA_BUILD_DIR ${CMAKE_BINARY_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/desktop/cpack_options.cmake)
include(CPack)
