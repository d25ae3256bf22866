# SPDX-License-Identifier: GPL-3.0-or-later
# The shipped levels (data/levels): levels_check reads every pack, and every level file
# must be played by a pack, lay out on the field, let every town reach every other and
# differ from the other levels and the built-in ones; levels_verify plays each level with
# the solver on three seeds, which must all end with money and at least par delivered,
# and once with no input, which must miss par. levelgen_proposals: the generator's
# proposals of every difficulty pass the same check. Included by the test folder it
# registers the tests; run with -P it is the proposals' test.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  if(TARGET ot-levelgen)
    set(levels_root ${PROJECT_SOURCE_DIR}/data/levels)
    file(GLOB shipped_levels CONFIGURE_DEPENDS ${levels_root}/*/*.level)
    add_test(NAME levels_check COMMAND ot-levelgen check ${levels_root})
    add_test(NAME levels_verify COMMAND ot-levels-verify --solver --seeds 3 ${shipped_levels})
    add_test(NAME levelgen_proposals
      COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:ot-levelgen>
              -DWORK=${CMAKE_CURRENT_BINARY_DIR}/levelgen_proposals
              -P ${CMAKE_CURRENT_LIST_FILE})
    set_tests_properties(levels_check levels_verify levelgen_proposals PROPERTIES
      ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy" TIMEOUT 600)
    # The check and the generator's proposals work on level files without SDL; the
    # verifier plays the levels through the headless game, which starts SDL.
    ot_once_without_sdl(levels_check levelgen_proposals)
    set_property(TEST levels_verify APPEND PROPERTY LABELS state)
    # About 62 s of one processor's time on a quiet machine, and about three times that in
    # the loaded suite: the bound leaves room for a slower machine.
    set_tests_properties(levels_verify PROPERTIES TIMEOUT 1500)
  endif()
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/support/check.cmake)

file(REMOVE_RECURSE ${WORK})
foreach(difficulty 1 2 3 4)
  execute_process(COMMAND ${TOOL} batch ${difficulty} 1 60 ${WORK}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  check("batch ${difficulty} ended with ${rc}:\n${err}" rc EQUAL 0)
  check("batch ${difficulty} proposed nothing:\n${out}" NOT out MATCHES "^0 proposals")
endforeach()
file(GLOB proposals ${WORK}/*.level)
execute_process(COMMAND ${TOOL} check ${proposals}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
check("the proposals do not pass the check:\n${out}${err}" rc EQUAL 0)
