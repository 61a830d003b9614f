#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVOR_TESTS=OFF >/dev/null
cmake --build build/release --target kelvor
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: run it under a virtual display, e.g.  xvfb-run -a ./run.sh" >&2
  exit 2
fi
exec build/release/bin/kelvor "$@"
