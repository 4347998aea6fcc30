# Redraws each picture of docs/ that the snapshot tool makes and holds it to the committed
# one, byte for byte: the README shows the game as it is, and a change that moves one pixel
# of the standard game shows here. Each entry of PICTURES is "file;state[;WIDTHxHEIGHT]"
# with the ";" written as ":".
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(differing)
string(REPLACE "|" ";" PICTURES "${PICTURES}")
foreach(entry IN LISTS PICTURES)
  string(REPLACE ":" ";" fields "${entry}")
  list(POP_FRONT fields name state)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LANGUAGE= LC_ALL=C LC_MESSAGES= LANG=C
                          ${TOOL} ${state} ${WORK}/${name} ${fields}
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "flipora_snapshot ${state} ${fields} failed (${result}): ${errors}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${DOCS}/${name}
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    list(APPEND differing ${name})
  endif()
endforeach()
if(differing)
  message(FATAL_ERROR "drawn differently from docs/ (new ones in ${WORK}): ${differing}")
endif()
