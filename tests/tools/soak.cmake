# SPDX-License-Identifier: GPL-3.0-or-later
# A short soak: ot-soak plays a few seeds for a few thousand frames each with random
# input and fails on the first broken invariant (scripts/soak.sh runs the long one), or
# on a recorded level that does not replay as recorded.
if(TARGET ot-soak)
  foreach(seed 1 2 3)
    add_test(NAME soak_short_${seed} COMMAND ot-soak --seed ${seed} --frames 3000)
    set_tests_properties(soak_short_${seed} PROPERTIES TIMEOUT 600)
  endforeach()
  # Every level of a short random game recorded (rewinds included) and watched again
  # from its file to its recorded end hash (scripts/replay-soak.sh runs the long one).
  foreach(seed 6 25 26)
    add_test(NAME replay_soak_${seed} COMMAND ot-soak --seed ${seed} --frames 8000 --replays)
    set_tests_properties(replay_soak_${seed} PROPERTIES TIMEOUT 600)
  endforeach()
endif()

# The invariants themselves, on a game of the test rig with faults planted.
if(TARGET ot_soak)
  add_executable(test_soak_invariants ${CMAKE_CURRENT_LIST_DIR}/soak_invariants.cpp
                 ${PROJECT_SOURCE_DIR}/tests/support/HeadlessEnvironment.cpp)
  target_link_libraries(test_soak_invariants PRIVATE ot_soak GTest::gtest GTest::gtest_main)
  target_include_directories(test_soak_invariants PRIVATE ${PROJECT_SOURCE_DIR}/tests/tools)
  ot_apply_settings(test_soak_invariants)
  gtest_discover_tests(test_soak_invariants
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    PROPERTIES TIMEOUT 600)
endif()
