# Runs one validator on one file: cmake -DTOOL=validator [-DTOOL_ARGS=opt] -DFILE=f -P validate.cmake
# Without the validator it says so and stops; the test's SKIP_REGULAR_EXPRESSION reports it
# skipped.
if(NOT TOOL OR NOT EXISTS "${TOOL}")
  message("validator not installed; skipped")
  return()
endif()
if(NOT EXISTS "${FILE}")
  message(FATAL_ERROR "${FILE} is missing")
endif()
execute_process(COMMAND "${TOOL}" ${TOOL_ARGS} "${FILE}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
# Hints are advice, not faults; errors and warnings fail the check.
if(NOT rc EQUAL 0 OR out MATCHES "error:|warning:")
  message(FATAL_ERROR "${FILE} does not pass ${TOOL}:\n${out}")
endif()
message(STATUS "${FILE}: valid")
