# SPDX-License-Identifier: GPL-3.0-or-later
# The solver through the headless session: it wins a Puzzle level, and looking ahead
# without acting leaves the game as it would have gone. It reads the game's pictures from
# data.dat beside it.
if(TARGET ot_game_driver)
  add_executable(test_solver ${CMAKE_CURRENT_LIST_DIR}/solver.cpp)
  target_link_libraries(test_solver PRIVATE ot_game_driver GTest::gtest GTest::gtest_main)
  ot_apply_settings(test_solver)
  if(TARGET data)
    add_dependencies(test_solver data)
  endif()
  gtest_discover_tests(test_solver
    DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT 900 COST 20 LABELS state)
endif()
