# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DREADELF=<readelf> -DPROGRAMS=<program>[,<program>...] -P NoSdlLink.cmake
# Fails when one of the programs needs SDL, SDL_image, SDL_mixer or X11 at run time: the
# railway's rules and the libraries below them link without the screen, sound and window.
string(REPLACE "," ";" programs "${PROGRAMS}")
foreach(program ${programs})
  execute_process(COMMAND ${READELF} -d ${program}
                  OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${READELF} could not read ${program}")
  endif()
  string(REGEX MATCHALL "\\[lib(SDL|X11)[^]]*\\]" needed "${dynamic}")
  if(needed)
    message(FATAL_ERROR "${program} needs ${needed}")
  endif()
  message(STATUS "${program}: no SDL or X11")
endforeach()
