# SPDX-License-Identifier: GPL-3.0-or-later
# "ot-game replay FILE": a level recorded by a script is played again and ends as
# recorded (status 0); the same file with another end hash ends differently (status 3);
# a damaged or missing file is refused with one line on standard error (status 1). The
# file is only read, and the folder the replay runs in keeps nothing. Included by the
# test folder it registers the test; run with -P it is the test.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  if(TARGET ot-game)
    add_test(NAME game_replay
      COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:ot-game>
              -DWORK=${CMAKE_CURRENT_BINARY_DIR}/game_replay
              -P ${CMAKE_CURRENT_LIST_FILE})
    set_tests_properties(game_replay PROPERTIES TIMEOUT 600)
  endif()
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/support/check.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/record.script
  "tips off\nrecord on\nnewgame puzzle 1\nautopilot on\nrun 20000\nkey backspace\nkey space\n"
  "run 4000\nkey 9 shift ctrl alt caps\n")
execute_process(COMMAND ${TOOL} ${WORK}/record.script ${WORK}/played
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
check("the recording script ended with ${rc}:\n${err}" rc EQUAL 0)
set(recorded ${WORK}/played/replays/001-PUZZLE-L01.otr)
check("no replay was written:\n${out}" EXISTS ${recorded})
file(READ ${recorded} text)

# run(NAME FILE [FOLDER]): ot-game replay, its output in NAME_out, NAME_err, NAME_rc.
macro(run name file)
  execute_process(COMMAND ${TOOL} replay ${file} ${ARGN}
                  OUTPUT_VARIABLE ${name}_out ERROR_VARIABLE ${name}_err
                  RESULT_VARIABLE ${name}_rc)
endmacro()

run(same ${recorded} ${WORK}/folder)
check("the recorded level ended with ${same_rc}:\n${same_out}${same_err}" same_rc EQUAL 0)
check("the recorded level was not as recorded:\n${same_out}" same_out MATCHES
      "rewinds 1, ended quit at update [0-9]+\nreplay ended at update [0-9]+\ngame state 6 .*\nhash [0-9a-f]+ as recorded\n$")
file(READ ${recorded} after)
check("the replay file changed" after STREQUAL text)
file(GLOB_RECURSE kept LIST_DIRECTORIES false ${WORK}/folder/*)
list(LENGTH kept files)
check("the replay left files behind: ${kept}" files EQUAL 0)

string(REGEX REPLACE "hash ([0-9a-f]+)\n$" "hash 0123456789abcdef\n" other "${text}")
file(WRITE ${WORK}/other.otr "${other}")
run(other ${WORK}/other.otr)
check("another end hash ended with ${other_rc}:\n${other_out}${other_err}" other_rc EQUAL 3)
check("another end hash:\n${other_out}" other_out MATCHES
      "hash [0-9a-f]+ differs from the recorded 0123456789abcdef\n$")

# Damage: each refused with one line naming what is wrong, and nothing played.
string(SUBSTRING "${text}" 0 200 cut)
file(WRITE ${WORK}/cut.otr "${cut}")
file(WRITE ${WORK}/empty.otr "")
string(REPLACE "type puzzle" "type arcade" arcade "${text}")
file(WRITE ${WORK}/arcade.otr "${arcade}")
foreach(damage cut empty arcade missing)
  run(bad ${WORK}/${damage}.otr)
  check("the ${damage} replay ended with ${bad_rc}:\n${bad_out}${bad_err}" bad_rc EQUAL 1)
  check("the ${damage} replay: not one line on standard error:\n${bad_err}" bad_err MATCHES
        "^ot-game: [^\n]*${damage}.otr: [^\n]+\n$")
  string(LENGTH "${bad_out}" printed)
  check("the ${damage} replay was played:\n${bad_out}" printed EQUAL 0)
endforeach()
run(folder ${WORK})
check("a folder as the replay ended with ${folder_rc}" folder_rc EQUAL 1)

# A level file's level, clicked at and rewound, then left: its replay carries the level and
# plays to the recorded hash with the file gone; a damaged carried level refuses it.
file(MAKE_DIRECTORY ${WORK}/mine)
file(COPY ${CMAKE_CURRENT_LIST_DIR}/../../data/levels/1-first-steps/first-switch.level
     DESTINATION ${WORK}/mine)
file(WRITE ${WORK}/pack.script
  "tips off\nrecord on\nnewgame file ${WORK}/mine/first-switch.level\nrun 3000\nclick 174 80\n"
  "run 9000\nclick 400 300\nrun 9000\nkey backspace\nkey space\nclick 300 200\nrun 4000\n"
  "newgame puzzle 1\n")
execute_process(COMMAND ${TOOL} ${WORK}/pack.script ${WORK}/pack-played
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
check("the pack script ended with ${rc}:\n${err}" rc EQUAL 0)
check("the pack level was not rewound:\n${out}" out MATCHES "rewound to update 550\n")
set(packed ${WORK}/pack-played/replays/001-PACK-L01.otr)
check("no replay of the pack level was written:\n${out}" EXISTS ${packed})
file(REMOVE_RECURSE ${WORK}/mine)
run(pack ${packed})
check("the pack level's replay ended with ${pack_rc}:\n${pack_out}${pack_err}" pack_rc EQUAL 0)
check("the pack level's replay:\n${pack_out}" pack_out MATCHES
      "^replay [^\n]*: puzzle level 1 \\(level 1 \"first-switch\" of the pack \"\"\\), [^\n]*rewinds 1, ended quit at update [0-9]+\n.*hash [0-9a-f]+ as recorded\n$")
file(READ ${packed} text)
string(REGEX REPLACE "\npack ([^ \n]+) ([^ \n]+) ([^ \n]+) [^\n]+\n" "\npack \\1 \\2 \\3 b3N0cmVs\n"
       damaged "${text}")
check("no pack line to damage" NOT damaged STREQUAL text)
file(WRITE ${WORK}/carried.otr "${damaged}")
run(bad ${WORK}/carried.otr)
check("a damaged carried level ended with ${bad_rc}:\n${bad_out}${bad_err}" bad_rc EQUAL 1)
check("a damaged carried level: not one line on standard error:\n${bad_err}" bad_err MATCHES
      "^ot-game: [^\n]*carried.otr: line [0-9]+: the level file it carries is refused: [^\n]+\n$")
