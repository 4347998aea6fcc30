# The Windows build, included by the top-level CMakeLists.txt after the portable libraries
# (rules, score format, data folder choices, null platform). Win32, WGL and GDI stand where
# SDL, FreeType and fontconfig stand on Linux.

# Tests run under Wine, which sees the Linux file system as drive Z:.
if(CMAKE_CROSSCOMPILING)
  set(FLIPORA_TEST_SOURCE_DIR "Z:${CMAKE_SOURCE_DIR}")
endif()

# BMP decoding by GDI, after the header checks both builds share.
add_library(flipora_image STATIC platform/win32/image_win32.cpp platform/bmp_checks.cpp)
target_include_directories(flipora_image PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(flipora_image PUBLIC flipora_wide_path gdi32)

# The platform layer on Win32: the tick count, the click by PlaySoundA, the data folder.
add_library(flipora_platform_win32 STATIC
  platform/win32/data_folder_win32.cpp platform/win32/sound_win32.cpp
  platform/win32/ticks_win32.cpp)
target_link_libraries(flipora_platform_win32 PUBLIC flipora_paths flipora_wide_path winmm)

# Drawing on opengl32 and glu32, glyphs from GDI.
add_library(flipora_render STATIC ${FLIPORA_RENDER_SOURCES} platform/win32/glyphs_win32.cpp
  platform/win32/gl_context_win32.cpp)
target_link_libraries(flipora_render PUBLIC flipora_core flipora_paths flipora_image opengl32 glu32
                      gdi32)

# Console events that end the game, and the boxes that a console event may cut short.
add_library(flipora_quit_signals STATIC platform/win32/quit_signals_win32.cpp)
target_include_directories(flipora_quit_signals PUBLIC ${CMAKE_SOURCE_DIR})
target_sources(flipora_platform_win32 PRIVATE platform/win32/message_box_win32.cpp)
# A box's owner is the window the GL context draws into.
target_link_libraries(flipora_platform_win32 PUBLIC flipora_quit_signals user32 opengl32)

add_library(flipora_app STATIC ${FLIPORA_APP_SOURCES})
target_link_libraries(flipora_app PUBLIC flipora_render flipora_core flipora_quit_signals)

# The program's resources: its icon (the art tool's icons packed into one .ico), a manifest
# (per-monitor DPI awareness, the common controls 6 look of its boxes) and its version.
set(FLIPORA_ICONS)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND FLIPORA_ICONS ${CMAKE_SOURCE_DIR}/desktop/icons/${size}x${size}.png)
endforeach()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/flipora.ico
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/make_ico.py ${CMAKE_BINARY_DIR}/flipora.ico
          ${FLIPORA_ICONS}
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/make_ico.py ${FLIPORA_ICONS}
  COMMENT "Packing the icons into flipora.ico" VERBATIM)
configure_file(app/win32/flipora.rc.in ${CMAKE_BINARY_DIR}/flipora.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/flipora.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/flipora.ico;${CMAKE_SOURCE_DIR}/app/win32/flipora.manifest")

# flipora.exe: a windowed program, linked with everything of the compiler's own (the
# toolchain's -static), so that it needs no DLL beyond Windows' own.
add_executable(flipora WIN32 app/win32/main_win32.cpp app/win32/events_win32.cpp
  app/win32/window_win32.cpp ${CMAKE_BINARY_DIR}/flipora.rc)
target_link_libraries(flipora PRIVATE flipora_app flipora_render flipora_core flipora_platform_win32
                      winmm)

# Installing and packaging: flipora.exe with data\ beside it, where the game looks for it.
# `cpack -G ZIP` makes Flipora-1.0-win64.zip, which runs wherever it is unzipped (its data\
# is the player's there, scores included); `cpack -G NSIS` a 64-bit installer into Program
# Files with a Start-menu shortcut, a "Run Flipora" box on its last page and an uninstaller.
# Installed (the uninstaller lies beside flipora.exe), each player's scores go to
# %APPDATA%\Flipora and stay when the game is removed.
install(TARGETS flipora RUNTIME DESTINATION .)
install(DIRECTORY data/ DESTINATION data FILES_MATCHING PATTERN "*.bmp" PATTERN "*.wav")
set(CPACK_PACKAGE_NAME Flipora)
set(CPACK_PACKAGE_VENDOR "${FLIPORA_DEVELOPER}")  # the publisher Windows lists
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Flipora memory game")
set(CPACK_PACKAGE_FILE_NAME Flipora-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Flipora)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Flipora)
# The Start-menu entry, named as the game; its shortcut, the Finish page's box and the
# uninstall entry's icon all name the flipora.exe installed above, not one in bin\.
set(CPACK_PACKAGE_EXECUTABLES flipora Flipora)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN flipora.exe)
set(CPACK_NSIS_INSTALLED_ICON_NAME flipora.exe)
# No licence has been stated, so the installer shows no licence page (CPack's own would
# show a placeholder); the copyright stands in the program's version.
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_DEFINES "Target amd64-unicode")  # else NSIS makes a 32-bit installer
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME Flipora)
set(CPACK_NSIS_PACKAGE_NAME Flipora)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/flipora.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/flipora.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)

enable_testing()
add_subdirectory(tests)
