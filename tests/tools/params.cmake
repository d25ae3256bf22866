# SPDX-License-Identifier: GPL-3.0-or-later
# ot-params round trip: write a sealed file from a listing, show it, compare.
# Included by the test folder it registers the test; run with -P it is the test.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  if(TARGET ot-params)
    add_test(NAME ot_params_round_trip
      COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:ot-params>
              -DWORK=${CMAKE_CURRENT_BINARY_DIR}/params_round_trip
              -P ${CMAKE_CURRENT_LIST_FILE})
    set_tests_properties(ot_params_round_trip PROPERTIES LABELS once)
  endif()
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/support/check.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# Escapes for the backslash, a line break, bytes outside printable ASCII and '=' in keys.
file(WRITE ${WORK}/listing.txt [=[Globals.ver = 1.0
Globals.Globals.PlayerName = Manager
Game.Money = -1500
Game.Speed = 5.00000000000000e-01
Tips.Text = two\nlines with a \\ and \x01\xFF
Odd\x3Dkey = value = with equals
Empty = 
Game.Money = 7
]=])

execute_process(COMMAND ${TOOL} write ${WORK}/game.sav INPUT_FILE ${WORK}/listing.txt
                RESULT_VARIABLE rc)
check("write failed: ${rc}" rc EQUAL 0)
check("write left its temporary file" NOT EXISTS ${WORK}/game.sav.tmp)
execute_process(COMMAND ${TOOL} show ${WORK}/game.sav OUTPUT_VARIABLE shown RESULT_VARIABLE rc)
check("show failed: ${rc}" rc EQUAL 0)
file(READ ${WORK}/listing.txt listing)
check("listing differs:\n${shown}\nexpected:\n${listing}" shown STREQUAL listing)

# A file that does not open, one that is no sealed document, and a bad listing.
execute_process(COMMAND ${TOOL} show ${WORK}/missing.sav RESULT_VARIABLE rc
                OUTPUT_QUIET ERROR_VARIABLE error)
check("show of a missing file succeeded" NOT rc EQUAL 0)
check("no clear message: ${error}" error MATCHES "cannot read")
execute_process(COMMAND ${TOOL} show ${WORK}/listing.txt RESULT_VARIABLE rc
                OUTPUT_QUIET ERROR_QUIET)
check("show of a plain text succeeded" NOT rc EQUAL 0)
file(WRITE ${WORK}/bad.txt "no separator here\n")
execute_process(COMMAND ${TOOL} write ${WORK}/bad.sav INPUT_FILE ${WORK}/bad.txt
                RESULT_VARIABLE rc ERROR_QUIET)
check("write of a bad listing succeeded" NOT rc EQUAL 0)
check("a bad listing left a file" NOT EXISTS ${WORK}/bad.sav)
file(REMOVE_RECURSE ${WORK})
