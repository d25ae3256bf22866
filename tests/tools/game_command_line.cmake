# SPDX-License-Identifier: GPL-3.0-or-later
# The game's own command line, run as a player would: the exit statuses of --help,
# --version, a bad option and a start without a display, and a headless run that
# takes every option.
if(TARGET ostrel-trains AND TARGET ot-params)
  add_test(NAME game_command_line
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/game_command_line.sh
            $<TARGET_FILE:ostrel-trains> $<TARGET_FILE:ot-params>
            ${CMAKE_CURRENT_BINARY_DIR}/game_command_line ${PROJECT_SOURCE_DIR}/tests/lsan.supp)
  set_tests_properties(game_command_line PROPERTIES TIMEOUT 600)
endif()
