# SPDX-License-Identifier: GPL-3.0-or-later
# test_art: the generated pictures, read back through the game's own clip loading code,
# from the loose files under Dat/ and from data.dat.
file(GLOB art_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/art/*.cpp)
if(art_test_sources AND TARGET ot_engine)
  add_executable(test_art ${art_test_sources} ${PROJECT_SOURCE_DIR}/railway/Geometry.cpp
                          ${PROJECT_SOURCE_DIR}/core/ClipTable.cpp)
  target_link_libraries(test_art PRIVATE ot_engine GTest::gtest GTest::gtest_main)
  target_compile_definitions(test_art PRIVATE
    OT_SOURCE_DIR="${PROJECT_SOURCE_DIR}" OT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  ot_apply_settings(test_art)
  # The pictures (and the archive) must exist before the test runs.
  if(TARGET art)
    add_dependencies(test_art art)
  endif()
  if(TARGET data)
    add_dependencies(test_art data)
  endif()
  gtest_discover_tests(test_art
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    PROPERTIES TIMEOUT 600)  # the tests select the dummy video driver themselves
endif()
