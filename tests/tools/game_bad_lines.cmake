# SPDX-License-Identifier: GPL-3.0-or-later
# ot-game refuses a script line it cannot run: it names the line on standard error and
# ends with status 2, without crashing (the sanitizers watch every run). Included by
# the test folder it registers the test; run with -P it is the test.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  if(TARGET ot-game)
    add_test(NAME game_bad_lines
      COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:ot-game>
              -DWORK=${CMAKE_CURRENT_BINARY_DIR}/game_bad_lines
              -P ${CMAKE_CURRENT_LIST_FILE})
    set_tests_properties(game_bad_lines PROPERTIES LABELS state)
  endif()
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/support/check.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(bad_lines
  "frobnicate"
  "click 10"
  "click ten 20"
  "rclick 1 2 3x"
  "run -20"
  "run 999999999999"
  "until state"
  "until state 6 before 100"
  "until weather 3 within 100"
  "newgame arcade"
  "newgame puzzle 9"
  "key shiftlock"
  "key 9 shift hyper"
  "wheel sideways"
  "button track9"
  "button nothing"
  "close window"
  "print nothing"
  "money -1"
  "money 5"
  "seed minus"
  "savefile cut -3"
  "savefile shred"
  "compare never"
  "autopilot maybe"
  "tips sometimes"
  "speed 3"
  "speed 1/3"
  "speed -2"
  "record maybe"
  "replay"
  "replay x.otr to"
  "replay x.otr to -5"
  "replay x.otr until 5")
set(n 0)
foreach(line IN LISTS bad_lines)
  math(EXPR n "${n} + 1")
  file(WRITE ${WORK}/bad${n}.script "seed 1\n${line}\nprint game\n")
  execute_process(COMMAND ${TOOL} ${WORK}/bad${n}.script ${WORK}/folder${n}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  check("'${line}' ended with ${rc}, not 2:\n${err}" rc EQUAL 2)
  check("'${line}' was not named on standard error:\n${err}" err MATCHES "cannot run")
  check("'${line}' ran the lines after it:\n${out}" NOT out MATCHES "no game")
endforeach()

# Lines that need a game do nothing harmful before there is one.
file(WRITE ${WORK}/early.script
  "print game\nprint trains\nclick 100 100\nkey space\nkey tab\nspeed 4\nclose help\nsave\nrun 100\n")
execute_process(COMMAND ${TOOL} ${WORK}/early.script ${WORK}/early
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
check("a script before any game ended with ${rc}:\n${err}" rc EQUAL 0)
check("print before any game:\n${out}" out MATCHES "no game")
