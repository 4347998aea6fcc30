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
target_link_libraries(flipora_platform_win32 PUBLIC flipora_quit_signals user32)

enable_testing()
add_subdirectory(tests)
