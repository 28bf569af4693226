# Runs one fuzz target for SECONDS seconds, seeded with the kept corpus.
file(MAKE_DIRECTORY ${WORK})
set(seeds "")
if(EXISTS ${CORPUS})
  set(seeds ${CORPUS})
endif()
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -max_len=65536 -rss_limit_mb=2048 -timeout=10
          -artifact_prefix=${WORK}/ ${WORK} ${seeds}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "fuzzer ${FUZZER} found a problem; the input is in ${WORK}")
endif()
