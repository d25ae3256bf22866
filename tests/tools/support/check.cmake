# SPDX-License-Identifier: GPL-3.0-or-later
# check(MESSAGE CONDITION...): fails a tool test script with MESSAGE unless CONDITION holds.
function(check message)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${message}")
  endif()
endfunction()
