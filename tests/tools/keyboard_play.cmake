# SPDX-License-Identifier: GPL-3.0-or-later
# The field played by keyboard (the selection ring, Enter, S, C and the hint) through the
# headless session, on Puzzle level 1. It reads the game's pictures from data.dat beside
# it.
if(TARGET ot_game_driver)
  add_executable(test_keyboard_play ${CMAKE_CURRENT_LIST_DIR}/keyboard_play.cpp)
  target_link_libraries(test_keyboard_play PRIVATE ot_game_driver GTest::gtest GTest::gtest_main)
  ot_apply_settings(test_keyboard_play)
  if(TARGET data)
    add_dependencies(test_keyboard_play data)
  endif()
  gtest_discover_tests(test_keyboard_play
    DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT 900)
endif()
