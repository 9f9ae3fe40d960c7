# libFuzzer targets, built only in the native clang build. Each target is also a CTest test
# that runs it for a bounded time over a corpus seeded from SEEDS (files or folders that may
# be written by earlier tests) and fails on any finding. MAX_LEN bounds the inputs the fuzzer
# makes (by default the largest seed's size), also over a corpus kept from earlier runs.
#   nv_fuzz_target(NAME name SOURCES ... LIBS ... [SEEDS path ...] [SECONDS n] [MAX_LEN bytes])
include_guard(GLOBAL)

set(NV_FUZZ_SECONDS 5 CACHE STRING "Seconds each fuzz target runs in the test run")

function(nv_fuzz_target)
  cmake_parse_arguments(F "" "NAME;SECONDS;MAX_LEN" "SOURCES;LIBS;SEEDS" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS ${NV_FUZZ_SECONDS})
  endif()
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_include_directories(${F_NAME} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  nv_warnings(${F_NAME})
  string(REPLACE ";" "|" seeds "${F_SEEDS}")
  add_test(NAME ${F_NAME}
           COMMAND ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:${F_NAME}>
                   -DCORPUS=${CMAKE_CURRENT_BINARY_DIR}/${F_NAME}.corpus "-DSEEDS=${seeds}"
                   -DSECONDS=${F_SECONDS} -DMAX_LEN=${F_MAX_LEN} -P ${PROJECT_SOURCE_DIR}/cmake/NvRunFuzzer.cmake)
  set_tests_properties(${F_NAME} PROPERTIES LABELS fuzz)
endfunction()
