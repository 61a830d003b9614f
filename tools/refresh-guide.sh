#!/usr/bin/env bash
# Runs the end-to-end roads on a virtual display and copies the screenshots the user guide shows into
# docs/guide/images/<road>/. Run it after a change to what the program shows, then look at the
# pictures and commit them with the guide.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh test
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVOR_SANITIZE=ON >/dev/null
cmake --build build/test
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
rm -rf build/test/road-shots
(cd build/test && ctest -R '^Road\.' --output-on-failure)
# The guide's pictures are the screenshots it names: each must have been taken by a road.
rm -rf docs/guide/images
grep -o 'images/[^)]*\.png' docs/guide/README.md | sort -u | while read -r picture; do
  shot="build/test/road-shots/${picture#images/}"
  if [ ! -f "$shot" ]; then
    echo "The guide names $picture, which no road took." >&2
    exit 1
  fi
  mkdir -p "docs/guide/$(dirname "$picture")"
  cp "$shot" "docs/guide/$picture"
done
echo "Screenshots copied into docs/guide/images/."
