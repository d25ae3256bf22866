# SPDX-License-Identifier: GPL-3.0-or-later
# The sound and music tests of the engine read the generated files of the build
# folder, so the generator runs before they are built.
if(TARGET test_engine AND TARGET sound-data)
  add_dependencies(test_engine sound-data)
endif()

# The generator's own tests: effect files and tunes read back as a player would.
if(TARGET ot_soundgen)
  file(GLOB sound_tool_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/sound/tests/*.cpp)
  add_executable(test_tool_sound ${sound_tool_tests})
  target_link_libraries(test_tool_sound PRIVATE ot_soundgen GTest::gtest GTest::gtest_main)
  target_compile_options(test_tool_sound PRIVATE ${OT_WARNINGS})
  gtest_discover_tests(test_tool_sound
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    TIMEOUT 120
    PROPERTIES LABELS once)
endif()
