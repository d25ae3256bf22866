# SPDX-License-Identifier: GPL-3.0-or-later
# The interface pictures read back as the game reads them: every interface entry of the
# clip library through the clip's own loader from the generated Dat/ of the build
# folder, the font sheets through the font code. The generator runs before the test is
# built.
if(TARGET ot_sprites AND TARGET art)
  file(GLOB art_interface_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/art_interface*.cpp)
  add_executable(test_art_interface ${art_interface_tests})
  target_link_libraries(test_art_interface PRIVATE ot_sprites ot_engine GTest::gtest GTest::gtest_main)
  target_compile_definitions(test_art_interface PRIVATE
    OT_SOURCE_DIR="${PROJECT_SOURCE_DIR}" OT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  ot_apply_settings(test_art_interface)
  add_dependencies(test_art_interface art)
  gtest_discover_tests(test_art_interface
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=dummy" TIMEOUT 300)
endif()
