# One test program per library, run as one CTest test (through the cross-compiling
# emulator, wine, in the Windows build).
#   nv_test_program(NAME name SOURCES ... LIBS ... [ENVIRONMENT VAR=value ...])
function(nv_test_program)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  nv_warnings(${T_NAME})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(T_ENVIRONMENT)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
endfunction()
