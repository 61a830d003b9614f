#!/usr/bin/env bash
# Installs what is missing (test tools included), builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVOR_SANITIZE=ON >/dev/null
cmake --build build/test
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
cd build/test
ctest --output-on-failure -j "$(nproc)" "$@"
