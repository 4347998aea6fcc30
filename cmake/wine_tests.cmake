# Windows test programs run under Wine, each whole program in one Wine process (a Wine start
# costs a second or more, too much for one per test case). One Wine prefix per build folder,
# made by the first test that needs it and kept warm by one persistent wineserver until the
# last test is done; scripts/windows.sh deletes it first, so every run starts afresh.
set(FLIPORA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(FLIPORA_WINE_ENV "WINEPREFIX=${FLIPORA_WINE_PREFIX};WINEDEBUG=-all")

if(NOT TEST wine_prefix)
  if(NOT WINE_PROGRAM)
    message(FATAL_ERROR "Windows tests need Wine (bash scripts/deps.sh installs it)")
  endif()
  add_test(NAME wine_prefix
    COMMAND ${CMAKE_COMMAND} -DPREFIX=${FLIPORA_WINE_PREFIX} -DWINE=${WINE_PROGRAM}
            -P ${CMAKE_SOURCE_DIR}/cmake/wine_prefix.cmake)
  # Ends the server if one is up (-k fails when none is): either way none is left.
  add_test(NAME wine_server_stop COMMAND sh -c "wineserver -k || true")
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine LABELS wine TIMEOUT 300
                       ENVIRONMENT "${FLIPORA_WINE_ENV}")
  set_tests_properties(wine_server_stop PROPERTIES FIXTURES_CLEANUP wine LABELS wine
                       ENVIRONMENT "${FLIPORA_WINE_ENV}")
endif()

# A whole googletest program under Wine, as one test.
function(flipora_wine_test target)
  add_test(NAME ${target}
    COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/wine_run.sh $<TARGET_FILE:${target}> --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine LABELS "unit;wine" TIMEOUT 600
                       ENVIRONMENT "${FLIPORA_WINE_ENV}")
endfunction()
