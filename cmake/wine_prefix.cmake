# cmake -DPREFIX=<folder> -DWINE=<wine> -P wine_prefix.cmake
# Makes the Wine prefix when it is not there yet and starts a wineserver that stays up
# between the tests, so each later Wine start takes a second instead of several.
if(NOT EXISTS ${PREFIX}/system.reg)
  execute_process(COMMAND ${WINE} wineboot -i RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "wineboot -i failed in ${PREFIX}")
  endif()
  # No window manager of Wine's own: boxes close at once instead of after two seconds.
  execute_process(COMMAND ${WINE} reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f
                  OUTPUT_QUIET RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not set Wine's X11 driver options in ${PREFIX}")
  endif()
endif()
# The server wineboot started goes away a few seconds after its last program; one that stays
# takes its place. It forks into the background; its output must not hold this script's pipes.
execute_process(COMMAND wineserver -w)
execute_process(COMMAND wineserver -p OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
