# Extracts the texts to translate into OUTPUT: the game's from the C++ files that
# POTFILES.in names, the installer's from its Python script, then the desktop entry's (not its Name, the game's own) and the
# metainfo's (po/metainfo.its says which parts). With COMMITTED, fails
# unless OUTPUT says the same as that file (the creation date aside).
file(STRINGS ${SOURCE_DIR}/po/POTFILES.in files REGEX "^[^#]")
set(python_files ${files})
list(FILTER python_files INCLUDE REGEX "\\.py$")
list(FILTER files EXCLUDE REGEX "\\.py$")
# Texts are located by file alone: a line number would go stale with every edit near it.
set(common --from-code=UTF-8 --add-comments=TRANSLATORS: --add-location=file --package-name=Flipora
    --package-version=${VERSION} --msgid-bugs-address=${BUGS_ADDRESS}
    "--copyright-holder=The Flipora team" --output=${OUTPUT})
execute_process(
  COMMAND ${XGETTEXT} ${common} --language=C++ --keyword=Translate --keyword=TranslateIn:1c,2
          --keyword=TranslatePlural:1,2 --keyword=Translatable --keyword=TranslatableIn:1c,2
          ${files}
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${SOURCE_DIR})
execute_process(
  COMMAND ${XGETTEXT} ${common} --join-existing --language=Python ${python_files}
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${SOURCE_DIR})
execute_process(
  COMMAND ${XGETTEXT} ${common} --join-existing --language=Desktop --keyword
          --keyword=GenericName --keyword=Comment --keyword=Keywords
          desktop/org.flipora.Flipora.desktop.in
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${SOURCE_DIR})
execute_process(
  COMMAND ${XGETTEXT} ${common} --join-existing --its=${SOURCE_DIR}/po/metainfo.its
          desktop/org.flipora.Flipora.metainfo.xml.in
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${SOURCE_DIR})

if(NOT COMMITTED)
  return()
endif()
foreach(which OUTPUT COMMITTED)
  file(READ ${${which}} text)
  string(REGEX REPLACE "\"POT-Creation-Date: [^\"]*\"\n" "" text_${which} "${text}")
endforeach()
if(NOT text_OUTPUT STREQUAL text_COMMITTED)
  message(FATAL_ERROR "po/flipora.pot is not what the code marks now (see ${OUTPUT}): run "
                      "cmake --build <build folder> --target update-po and translate what changed")
endif()
