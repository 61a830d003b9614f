# Runs one built fuzz target for a short time from its seeds; test.sh builds the targets with clang before
# the tests run. A target that is not built is reported as skipped.
#   cmake -DFUZZER=<target's path> -DSEEDS=<folder> -DCORPUS=<working folder> -DSECONDS=<n>
#         [-DDICT=<dictionary>] [-DMAX_LEN=<bytes>] -P RunFuzzer.cmake
foreach(var FUZZER SEEDS CORPUS SECONDS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RunFuzzer.cmake: ${var} is not set")
  endif()
endforeach()

if(NOT EXISTS ${FUZZER})
  message("${FUZZER} is not built (test.sh builds the fuzz targets when clang is installed): skipped")
  return()
endif()

set(options)
if(DEFINED DICT)
  list(APPEND options -dict=${DICT})
endif()
if(DEFINED MAX_LEN)
  list(APPEND options -max_len=${MAX_LEN})
endif()

# New inputs go to a working corpus; the committed seeds stay as they are. A failing input is written
# into the working corpus's folder.
file(MAKE_DIRECTORY ${CORPUS})
get_filename_component(artifacts ${CORPUS} DIRECTORY)
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -malloc_limit_mb=256 -rss_limit_mb=2048 -timeout=10
          -print_final_stats=1 -artifact_prefix=${artifacts}/ ${options} ${CORPUS} ${SEEDS}
  WORKING_DIRECTORY ${artifacts}
  RESULT_VARIABLE ran)
if(NOT ran EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a failing input (see the crash- file in ${artifacts})")
endif()
