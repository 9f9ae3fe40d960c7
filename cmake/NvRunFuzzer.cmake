# Runs one libFuzzer target for SECONDS over CORPUS, first seeded from SEEDS ('|'-separated),
# with inputs of at most MAX_LEN bytes when MAX_LEN is given.
file(MAKE_DIRECTORY ${CORPUS})
string(REPLACE "|" ";" seeds "${SEEDS}")
foreach(seed IN LISTS seeds)
  if(IS_DIRECTORY ${seed})
    file(GLOB files ${seed}/*)
    file(COPY ${files} DESTINATION ${CORPUS})
  elseif(EXISTS ${seed})
    file(COPY ${seed} DESTINATION ${CORPUS})
  endif()
endforeach()
set(limit)
if(MAX_LEN)
  set(limit -max_len=${MAX_LEN})
endif()
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1 ${limit}
                        -artifact_prefix=${CORPUS}/../ ${CORPUS}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${FUZZER}: finding (exit ${rc})")
endif()
