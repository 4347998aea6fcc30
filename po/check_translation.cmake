# One language's catalogue, as a translator hands it in: msgfmt --check finds nothing, and
# msgcmp finds every text of the template translated (an untranslated or fuzzy one counts
# as missing).
execute_process(COMMAND ${MSGFMT} --check --statistics --output-file=/dev/null ${PO}
                RESULT_VARIABLE checked ERROR_VARIABLE said)
message(STATUS "${said}")
if(NOT checked EQUAL 0)
  message(FATAL_ERROR "msgfmt --check fails on ${PO}")
endif()
if(said MATCHES "fuzzy|untranslated")
  message(FATAL_ERROR "${PO} has texts not translated yet: ${said}")
endif()
execute_process(COMMAND ${MSGCMP} ${PO} ${POT} RESULT_VARIABLE compared)
if(NOT compared EQUAL 0)
  message(FATAL_ERROR "${PO} lacks texts of po/flipora.pot: translate them")
endif()
