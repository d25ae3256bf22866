# SPDX-License-Identifier: GPL-3.0-or-later
# Game scripts: each tests/tools/game/NAME.script is run by ot-game, which drives a whole
# game headless, and its output must equal NAME.out.
include(${CMAKE_CURRENT_SOURCE_DIR}/support/script_tests.cmake)
ot_script_tests(ot-game game script)
