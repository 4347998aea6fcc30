# The Windows program's own, included by the top-level CMakeLists.txt once every target is
# defined: flipora.exe's resources (icon, manifest, version), where it installs, and its
# packages. Win32, WGL and GDI stand where SDL, FreeType and fontconfig stand on Linux.

# The resources: the art tool's icons packed into one .ico, a manifest (per-monitor DPI
# awareness, the common controls 6 look of its boxes) and the version, all of it the
# project's (CMakeLists.txt).
set(FLIPORA_ICONS)
foreach(size IN LISTS FLIPORA_ICON_SIZES)
  list(APPEND FLIPORA_ICONS ${CMAKE_SOURCE_DIR}/desktop/icons/${size}x${size}.png)
endforeach()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/flipora.ico
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/make_ico.py ${CMAKE_BINARY_DIR}/flipora.ico
          ${FLIPORA_ICONS}
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/make_ico.py ${FLIPORA_ICONS}
  COMMENT "Packing the icons into flipora.ico" VERBATIM)
configure_file(app/win32/flipora.manifest.in ${CMAKE_BINARY_DIR}/flipora.manifest @ONLY)
configure_file(app/win32/flipora.rc.in ${CMAKE_BINARY_DIR}/flipora.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/flipora.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/flipora.ico;${CMAKE_BINARY_DIR}/flipora.manifest")

# Installing and packaging: flipora.exe with data\ (and the catalogues in locale\, po/)
# beside it, where the game looks for them.
# `cpack -G ZIP` makes Flipora-1.0-win64.zip, which runs wherever it is unzipped (its data\
# is the player's there, scores included); `cpack -G NSIS` a 64-bit installer into Program
# Files with a Start-menu shortcut, a "Run Flipora" box on its last page and an uninstaller.
# Installed (the uninstaller lies beside flipora.exe), each player's scores go to
# %APPDATA%\Flipora and stay when the game is removed.
install(TARGETS flipora RUNTIME DESTINATION .)
install(FILES ${INSTALLED_DATA} DESTINATION data)
foreach(code IN LISTS FLIPORA_LANGUAGES)  # each language's worded pictures
  install(DIRECTORY data/${code}/ DESTINATION data/${code} FILES_MATCHING PATTERN "*.bmp")
endforeach()
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

# The installer speaks the game's languages: NSIS's own language files translate its
# standard pages, and CPack's script is taken with its few English texts of its own turned
# into LangStrings, which cmake/installer_texts.py fills from the catalogues, and its list of
# languages cut to the game's (a player whose language the game does not speak gets English
# here, as in the game).
# NSIS's names of the game's languages (its Contrib/Language files).
set(nsis_name_de German)
set(nsis_name_es Spanish)
set(nsis_name_fr French)
set(nsis_name_it Italian)
set(nsis_name_pl Polish)
set(nsis_name_pt_BR PortugueseBR)
set(nsis_name_ru Russian)
set(nsis_strings ${CMAKE_BINARY_DIR}/installer_texts.nsh)
set(translations)
set(named_languages)
set(languages_script "  !insertmacro MUI_LANGUAGE \"English\"\n")  # the first is the default
foreach(code IN LISTS FLIPORA_LANGUAGES)
  if(NOT nsis_name_${code})
    message(FATAL_ERROR "cmake/windows.cmake names no NSIS language for ${code}")
  endif()
  list(APPEND translations ${CMAKE_SOURCE_DIR}/po/${code}.po)
  list(APPEND named_languages ${code}=${nsis_name_${code}})
  string(APPEND languages_script "  !insertmacro MUI_LANGUAGE \"${nsis_name_${code}}\"\n")
endforeach()
string(APPEND languages_script "  !include \"${nsis_strings}\"\n")
add_custom_command(OUTPUT ${nsis_strings}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/installer_texts.py ${nsis_strings}
          ${FLIPORA_LOCALE_BUILD_DIR} ${named_languages}
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/installer_texts.py ${translations}
  COMMENT "The installer's own texts in every language" VERBATIM)
add_custom_target(installer_texts ALL DEPENDS ${nsis_strings})
add_dependencies(installer_texts translations)  # the compiled catalogues it reads
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in script)
foreach(change
    "\"@CPACK_NSIS_PACKAGE_NAME@ is already installed. $\\n$\\nDo you want to uninstall the old version before installing the new one?\"|\"$(FliporaAlreadyInstalled)\""
    "\"Uninstall failed.\"|\"$(FliporaUninstallFailed)\"")
  string(REPLACE "|" ";" change "${change}")
  list(GET change 0 english)
  list(GET change 1 translated)
  string(FIND "${script}" "${english}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "CPack's NSIS script no longer says ${english}: see cmake/windows.cmake")
  endif()
  string(REPLACE "${english}" "${translated}" script "${script}")
endforeach()
string(REGEX REPLACE "(  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n)+" "${languages_script}"
       script "${script}")
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${script}")
list(APPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)  # where CPack looks for it first
include(CPack)
