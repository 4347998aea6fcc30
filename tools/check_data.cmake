# Runs the art tool twice into fresh folders and fails unless every file matches byte for byte,
# and matches the committed data folder, which holds exactly what the tool writes (and the
# player's score file), each language's folder included.
foreach(run a b)
  file(REMOVE_RECURSE ${WORK}/${run})
  file(MAKE_DIRECTORY ${WORK}/${run})
  execute_process(COMMAND ${TOOL} ${WORK}/${run} RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "art tool failed (${result}) writing ${WORK}/${run}")
  endif()
endforeach()

file(GLOB_RECURSE written RELATIVE ${WORK}/a ${WORK}/a/*)
file(GLOB_RECURSE committed RELATIVE ${COMMITTED} ${COMMITTED}/*)
list(REMOVE_ITEM committed Scores.txt)
list(SORT written)
list(SORT committed)
if(NOT written STREQUAL committed)
  message(FATAL_ERROR "the art tool writes ${written}\nbut ${COMMITTED} holds ${committed}")
endif()
foreach(name ${written})
  foreach(other ${WORK}/b ${COMMITTED})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/a/${name} ${other}/${name}
                    RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
      message(FATAL_ERROR "${name} differs between the art tool's run and ${other}: "
                          "regenerate with the assets target")
    endif()
  endforeach()
endforeach()
