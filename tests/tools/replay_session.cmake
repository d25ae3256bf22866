# SPDX-License-Identifier: GPL-3.0-or-later
# Rewinds, replays taken over and a resumed level's replay through the headless session,
# on Puzzle level 1 played by the autopilot. It reads the game's pictures from data.dat
# beside it.
if(TARGET ot_game_driver)
  add_executable(test_replay_session ${CMAKE_CURRENT_LIST_DIR}/replay_session.cpp)
  target_link_libraries(test_replay_session PRIVATE ot_game_driver GTest::gtest GTest::gtest_main)
  ot_apply_settings(test_replay_session)
  if(TARGET data)
    add_dependencies(test_replay_session data)
  endif()
  gtest_discover_tests(test_replay_session
    DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT 900 COST 10 LABELS state)
endif()
