# SPDX-License-Identifier: GPL-3.0-or-later
# ot_script_tests(TOOL_TARGET FOLDER EXTENSION): each FOLDER/NAME.EXTENSION is run by the
# tool as the test FOLDER_NAME, and its output must equal FOLDER/NAME.out.
function(ot_script_tests tool folder extension)
  if(NOT TARGET ${tool})
    return()
  endif()
  file(GLOB scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.${extension})
  foreach(script ${scripts})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME ${folder}_${name}
             COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:${tool}> -DSCRIPT=${script}
                     -DEXPECTED=${CMAKE_CURRENT_SOURCE_DIR}/${folder}/${name}.out
                     -DACTUAL=${PROJECT_BINARY_DIR}/${folder}_${name}.actual
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/support/run_script.cmake
             WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
    set_tests_properties(${folder}_${name} PROPERTIES TIMEOUT 600)
  endforeach()
endfunction()
