# SPDX-License-Identifier: GPL-3.0-or-later
# A saved game made in the middle of a level, truncated, bit-flipped and changed inside
# its seal, loaded through the game and played on under the soak's invariants. It reads
# the game's pictures from data.dat beside it.
if(TARGET ot_soak AND TARGET ot_game_driver)
  add_executable(test_saved_game_attack ${CMAKE_CURRENT_LIST_DIR}/saved_game_attack.cpp)
  target_link_libraries(test_saved_game_attack PRIVATE ot_soak ot_game_driver GTest::gtest
                        GTest::gtest_main)
  ot_apply_settings(test_saved_game_attack)
  if(TARGET data)
    add_dependencies(test_saved_game_attack data)
  endif()
  gtest_discover_tests(test_saved_game_attack
    DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT 900 COST 50 LABELS state)
endif()
