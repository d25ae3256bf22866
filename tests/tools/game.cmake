# Game scripts: each tests/tools/game/NAME.script is run by ot-game, which drives a whole
# game headless, and its output must equal NAME.out.
if(TARGET ot-game)
  file(GLOB game_scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/game/*.script)
  foreach(script ${game_scripts})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME game_${name}
             COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:ot-game> -DSCRIPT=${script}
                     -DEXPECTED=${CMAKE_CURRENT_SOURCE_DIR}/game/${name}.out
                     -DACTUAL=${PROJECT_BINARY_DIR}/game_${name}.actual
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/game/run_game.cmake
             WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
    set_tests_properties(game_${name} PROPERTIES TIMEOUT 600)
  endforeach()
endif()
