# Scenario scripts of the railway: each tests/tools/sim/NAME.sim is run by ot-sim and its
# output must equal NAME.out.
if(TARGET ot-sim)
  file(GLOB sim_scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sim/*.sim)
  foreach(script ${sim_scripts})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME sim_${name}
             COMMAND ${CMAKE_COMMAND} -DSIM=$<TARGET_FILE:ot-sim> -DSCRIPT=${script}
                     -DEXPECTED=${CMAKE_CURRENT_SOURCE_DIR}/sim/${name}.out
                     -DACTUAL=${PROJECT_BINARY_DIR}/sim_${name}.actual
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/sim/run_sim.cmake
             WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
  endforeach()
endif()
