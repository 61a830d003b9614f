#!/usr/bin/env bash
# Installs what is missing (test tools included), builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, builds the fuzz targets with clang, and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVOR_SANITIZE=ON \
      -DKELVOR_FUZZ_BUILD_DIR="$PWD/build/fuzz" >/dev/null
cmake --build build/test
# The libFuzzer targets need clang: they are built in a tree of their own, and their tests only run them.
if command -v clang >/dev/null && command -v clang++ >/dev/null; then
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 \
        -DCMAKE_C_FLAGS_RELEASE=-O1 -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DKELVOR_FUZZ=ON -DKELVOR_TESTS=OFF >/dev/null
  cmake --build build/fuzz --target fuzzers
else
  echo "test.sh: clang is not installed: the fuzz targets are not built and their tests are skipped"
fi
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
cd build/test
ctest --output-on-failure -j "$(nproc)" "$@"
