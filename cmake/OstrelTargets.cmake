# SPDX-License-Identifier: GPL-3.0-or-later
# Shared compile settings and the one-library-per-folder rule.

set(OT_WARNINGS -Wall -Wextra)
if(OT_WERROR)
  list(APPEND OT_WARNINGS -Werror)
endif()
set(OT_SANITIZER_FLAGS)
if(OT_FUZZ)
  # Coverage for libFuzzer in every library; only the fuzz targets link its runtime.
  set(OT_SANITIZER_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
elseif(OT_SANITIZE)
  set(OT_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
endif()

# ot_apply_settings(target): warnings, sanitizers and the project root as include root.
function(ot_apply_settings target)
  target_compile_options(${target} PRIVATE ${OT_WARNINGS} ${OT_SANITIZER_FLAGS})
  target_link_options(${target} PRIVATE ${OT_SANITIZER_FLAGS})
endfunction()

# ot_no_fuzz_coverage(target): in the fuzzing build, the target keeps the sanitizers but
# not libFuzzer's coverage. For the checks that judge a fuzz target's run: their own
# branches tell the fuzzer nothing about the code under test and cost time every frame.
function(ot_no_fuzz_coverage target)
  if(OT_FUZZ)
    target_compile_options(${target} PRIVATE
      -fno-sanitize-coverage=inline-8bit-counters,indirect-calls,trace-cmp,pc-table)
  endif()
endfunction()

# ot_folder_library(name DEPS ...): every .cpp of the calling folder becomes library ot_<name>.
function(ot_folder_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(ot_${name} STATIC ${sources})
    target_include_directories(ot_${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(ot_${name} PUBLIC ${ARG_DEPS})
    ot_apply_settings(ot_${name})
    if(OT_SANITIZE)
      target_link_options(ot_${name} INTERFACE ${OT_SANITIZER_FLAGS})
    endif()
  else()
    add_library(ot_${name} INTERFACE)
    target_include_directories(ot_${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(ot_${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()
