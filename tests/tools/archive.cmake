# SPDX-License-Identifier: GPL-3.0-or-later
# ot-archive round trip: pack a folder, list the archive, extract it and compare;
# then extract an archive whose names point out of the output folder.
# Included by the test folder it registers the test; run with -P it is the test.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  if(TARGET ot-archive AND TARGET ot-archive-fixture)
    add_test(NAME ot_archive_round_trip
      COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:ot-archive>
              -DFIXTURE=$<TARGET_FILE:ot-archive-fixture>
              -DWORK=${CMAKE_CURRENT_BINARY_DIR}/archive_round_trip
              -P ${CMAKE_CURRENT_LIST_FILE})
    set_tests_properties(ot_archive_round_trip PROPERTIES LABELS once)
  endif()
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/support/check.cmake)

file(REMOVE_RECURSE ${WORK})
set(ROOT ${WORK}/root)
file(MAKE_DIRECTORY ${ROOT}/Dat/midi/deep)
file(WRITE ${ROOT}/Dat/ver.txt "1.0")
file(WRITE ${ROOT}/Dat/empty.txt "")
file(WRITE ${ROOT}/Dat/midi/b.mid "second tune")
file(WRITE ${ROOT}/Dat/midi/deep/a.mid "deeper tune")
file(WRITE ${ROOT}/outside.txt "not below Dat, not packed")
# A binary file of some size: the tool itself.
file(COPY_FILE ${TOOL} ${ROOT}/Dat/Icon.bmp)
file(SIZE ${ROOT}/Dat/Icon.bmp binary_size)

execute_process(COMMAND ${TOOL} pack ${WORK}/data.dat ${ROOT} RESULT_VARIABLE rc)
check("pack failed: ${rc}" rc EQUAL 0)
check("pack left its temporary file" NOT EXISTS ${WORK}/data.dat.tmp)

execute_process(COMMAND ${TOOL} list ${WORK}/data.dat OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
check("list failed: ${rc}" rc EQUAL 0)
set(expected "Dat/Icon.bmp ${binary_size}\nDat/empty.txt 0\nDat/midi/b.mid 11\nDat/midi/deep/a.mid 11\nDat/ver.txt 3\n")
check("listing differs:\n${listing}\nexpected:\n${expected}" listing STREQUAL expected)

execute_process(COMMAND ${TOOL} extract ${WORK}/data.dat ${WORK}/out RESULT_VARIABLE rc)
check("extract failed: ${rc}" rc EQUAL 0)
foreach(name Dat/Icon.bmp Dat/empty.txt Dat/midi/b.mid Dat/midi/deep/a.mid Dat/ver.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ROOT}/${name} ${WORK}/out/${name}
                  RESULT_VARIABLE rc)
  check("${name} differs after extraction" rc EQUAL 0)
endforeach()
check("a file outside Dat was packed" NOT EXISTS ${WORK}/out/outside.txt)

# Packing again gives the same bytes.
execute_process(COMMAND ${TOOL} pack ${WORK}/again.dat ${ROOT} RESULT_VARIABLE rc)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/data.dat ${WORK}/again.dat
                RESULT_VARIABLE rc)
check("packing is not repeatable" rc EQUAL 0)

# Files that are no archives are refused.
execute_process(COMMAND ${TOOL} list ${WORK}/missing.dat RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
check("list of a missing file succeeded" NOT rc EQUAL 0)
execute_process(COMMAND ${TOOL} list ${ROOT}/Dat/ver.txt RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
check("list of a text file succeeded" NOT rc EQUAL 0)
execute_process(COMMAND ${TOOL} pack ${WORK}/x.dat ${WORK}/nowhere RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
check("pack of a missing folder succeeded" NOT rc EQUAL 0)

# Names that lead out of the output folder ("..", absolute paths) are refused, each
# with a message; the safe names of the same archive are still extracted.
set(OUT ${WORK}/unsafe/out)
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${FIXTURE} ${WORK}/unsafe.dat
                        Dat/ok.txt "kept"
                        ../up.txt "one folder up"
                        Dat/../../through.txt "up through Dat"
                        ${WORK}/absolute.txt "absolute"
                        .. "the folder above itself"
                RESULT_VARIABLE rc)
check("fixture failed: ${rc}" rc EQUAL 0)
execute_process(COMMAND ${TOOL} extract ${WORK}/unsafe.dat ${OUT}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE error)
check("extracting unsafe names reported success" NOT rc EQUAL 0)
foreach(escaped ${WORK}/unsafe/up.txt ${WORK}/unsafe/through.txt ${WORK}/absolute.txt)
  check("extraction wrote ${escaped} outside its folder" NOT EXISTS ${escaped})
endforeach()
file(READ ${OUT}/Dat/ok.txt kept)
check("the safe name was not extracted" kept STREQUAL "kept")
string(REGEX MATCHALL "refusing unsafe name" refusals "${error}")
list(LENGTH refusals refused)
check("expected four refusals:\n${error}" refused EQUAL 4)
file(REMOVE_RECURSE ${WORK})
