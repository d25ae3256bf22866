# SPDX-License-Identifier: GPL-3.0-or-later
# Run with -P at every build: writes OUTPUT, a header naming the commit of the
# checkout in SOURCE_DIR ("unknown" outside a git checkout), and touches it only
# when the commit changed, so that an unchanged commit rebuilds nothing.
set(commit "unknown")
find_program(GIT_PROGRAM git)
if(GIT_PROGRAM)
  execute_process(COMMAND ${GIT_PROGRAM} -C ${SOURCE_DIR} rev-parse --show-toplevel
                  OUTPUT_VARIABLE top RESULT_VARIABLE top_result
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # A source tree unpacked inside some other checkout is not that checkout.
  file(REAL_PATH "${SOURCE_DIR}" source_real)
  if(top_result EQUAL 0 AND EXISTS "${top}")
    file(REAL_PATH "${top}" top_real)
  endif()
  if(top_result EQUAL 0 AND top_real STREQUAL source_real)
    execute_process(COMMAND ${GIT_PROGRAM} -C ${SOURCE_DIR} rev-parse --short=12 HEAD
                    OUTPUT_VARIABLE head RESULT_VARIABLE head_result
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(head_result EQUAL 0 AND head MATCHES "^[0-9a-f]+$")
      set(commit "${head}")
    endif()
  endif()
endif()

set(text "// Generated at build time by cmake/BuildCommit.cmake.\n#pragma once\n#define OT_BUILD_COMMIT \"${commit}\"\n")
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
