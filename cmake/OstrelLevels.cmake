# SPDX-License-Identifier: GPL-3.0-or-later
# The shipped level packs, data/levels/<pack>/ in the source tree, copied to
# <build>/levels/ so that the game run from the build folder finds them as it finds them
# installed (share/games/ostrel-trains/levels, see packaging/Package.cmake). The copy is
# made afresh whenever a file is changed, added or removed.
set(ot_levels_source ${PROJECT_SOURCE_DIR}/data/levels)
set(ot_levels_build ${CMAKE_BINARY_DIR}/levels)
file(GLOB_RECURSE ot_level_files CONFIGURE_DEPENDS ${ot_levels_source}/*)
# The list of files: rewritten only when it changes, so a removed file also remakes the copy.
set(ot_level_list ${CMAKE_BINARY_DIR}/levels-list.txt)
file(CONFIGURE OUTPUT ${ot_level_list} CONTENT "${ot_level_files}")
set(ot_level_stamp ${CMAKE_BINARY_DIR}/levels.stamp)
add_custom_command(
  OUTPUT ${ot_level_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ot_levels_build}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ot_levels_source} ${ot_levels_build}
  COMMAND ${CMAKE_COMMAND} -E touch ${ot_level_stamp}
  DEPENDS ${ot_level_files} ${ot_level_list}
  COMMENT "Copying the level packs to ${ot_levels_build}"
  VERBATIM)
add_custom_target(levels ALL DEPENDS ${ot_level_stamp})
if(TARGET ostrel-trains)
  add_dependencies(ostrel-trains levels)
endif()
