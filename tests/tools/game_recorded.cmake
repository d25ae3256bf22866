# SPDX-License-Identifier: GPL-3.0-or-later
# Levels recorded in the real game (tests/tools/game/replays/*.otr, see the README there)
# are played again headless by "ot-game replay", one test each: each must end with the
# state hash it recorded, in every build (the sanitizer build runs them; a Release build
# must give the same hashes). Included by the test folder it registers the tests; run
# with -P it is the test.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  if(TARGET ot-game)
    file(GLOB recorded CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/game/replays/*.otr)
    foreach(replay ${recorded})
      get_filename_component(name ${replay} NAME_WE)
      add_test(NAME game_recorded_${name}
        COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:ot-game> -DREPLAY=${replay}
                -P ${CMAKE_CURRENT_LIST_FILE})
      set_tests_properties(game_recorded_${name} PROPERTIES TIMEOUT 600)
    endforeach()
  endif()
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/support/check.cmake)

execute_process(COMMAND ${TOOL} replay ${REPLAY}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
message("${out}${err}")
check("the recorded level did not end as recorded (status ${rc})"
      rc EQUAL 0 AND out MATCHES "\nhash [0-9a-f]+ as recorded\n$")
