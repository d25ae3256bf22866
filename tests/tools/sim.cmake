# SPDX-License-Identifier: GPL-3.0-or-later
# Scenario scripts of the railway: each tests/tools/sim/NAME.sim is run by ot-sim and its
# output must equal NAME.out.
include(${CMAKE_CURRENT_SOURCE_DIR}/support/script_tests.cmake)
ot_script_tests(ot-sim sim sim)
# ot-sim runs the railway's rules alone and calls no SDL function: once is enough.
get_property(sim_tests DIRECTORY PROPERTY TESTS)
list(FILTER sim_tests INCLUDE REGEX "^sim_")
if(sim_tests)
  ot_once_without_sdl(${sim_tests})
endif()
