# The fuzz targets are built by test.sh in a clang build folder of their own (KELVOR_FUZZ_BUILD_DIR); a
# test only runs one for a short time from its seeds, and is skipped when it was not built (no clang).
set(KELVOR_FUZZ_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/fuzz CACHE PATH
    "The clang build folder holding the fuzz targets the tests run")

#   kelvor_fuzz_test(<test name> <fuzz target> <seed folder under fuzz/seeds> [DICT <file>] [MAX_LEN <bytes>])
function(kelvor_fuzz_test test fuzzer seeds)
  cmake_parse_arguments(ARG "" "DICT;MAX_LEN" "" ${ARGN})
  set(extra)
  if(ARG_DICT)
    list(APPEND extra -DDICT=${ARG_DICT})
  endif()
  if(ARG_MAX_LEN)
    list(APPEND extra -DMAX_LEN=${ARG_MAX_LEN})
  endif()
  add_test(NAME ${test}
    COMMAND ${CMAKE_COMMAND} -DFUZZER=${KELVOR_FUZZ_BUILD_DIR}/bin/${fuzzer}
            -DSEEDS=${PROJECT_SOURCE_DIR}/fuzz/seeds/${seeds} -DCORPUS=${CMAKE_BINARY_DIR}/fuzz-runs/${fuzzer}/corpus
            -DSECONDS=15 ${extra} -P ${PROJECT_SOURCE_DIR}/fuzz/RunFuzzer.cmake)
  set_tests_properties(${test} PROPERTIES TIMEOUT 120 SKIP_REGULAR_EXPRESSION "is not built")
endfunction()
