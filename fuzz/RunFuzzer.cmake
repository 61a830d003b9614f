# Builds the fuzz targets with clang in a build folder of their own and runs one for a short time.
#   cmake -DSOURCE_DIR=<tree> -DBUILD_DIR=<folder> -DFUZZER=<target> -DSEEDS=<folder> -DSECONDS=<n>
#         [-DDICT=<dictionary>] [-DMAX_LEN=<bytes>] -P RunFuzzer.cmake
foreach(var SOURCE_DIR BUILD_DIR FUZZER SEEDS SECONDS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RunFuzzer.cmake: ${var} is not set")
  endif()
endforeach()

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BUILD_DIR} -G Ninja -DCMAKE_BUILD_TYPE=Release
          -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DCMAKE_C_FLAGS_RELEASE=-O1
          -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKELVOR_FUZZ=ON -DKELVOR_TESTS=OFF
  OUTPUT_QUIET RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "configuring the fuzz build failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${FUZZER} -j4 RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "building ${FUZZER} failed")
endif()

set(options)
if(DEFINED DICT)
  list(APPEND options -dict=${DICT})
endif()
if(DEFINED MAX_LEN)
  list(APPEND options -max_len=${MAX_LEN})
endif()

# New inputs go to a working corpus; the committed seeds stay as they are.
set(corpus ${BUILD_DIR}/corpus/${FUZZER})
file(MAKE_DIRECTORY ${corpus})
execute_process(
  COMMAND ${BUILD_DIR}/bin/${FUZZER} -max_total_time=${SECONDS} -malloc_limit_mb=256 -rss_limit_mb=2048
          -timeout=10 -print_final_stats=1 ${options} ${corpus} ${SEEDS}
  WORKING_DIRECTORY ${BUILD_DIR}
  RESULT_VARIABLE ran)
if(NOT ran EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a failing input (see the crash- file in ${BUILD_DIR})")
endif()
