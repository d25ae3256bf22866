# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one script with a script tool (ot-sim, ot-game) and compares its output with the
# expected text.
execute_process(COMMAND ${TOOL} ${SCRIPT}
                OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TOOL} failed (${rc}) on ${SCRIPT}:\n${errors}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${ACTUAL} "${actual}")
  message(FATAL_ERROR "Output of ${SCRIPT} differs from ${EXPECTED}; see ${ACTUAL}")
endif()
