#!/usr/bin/env bash
# Runs the end-to-end roads on a virtual display and copies the screenshots the user guide shows into
# docs/guide/images/<road>/. Run it after a change to what the program shows, then look at the
# pictures and commit them with the guide.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build/test/road-shots
# test.sh installs what is missing, builds and hands its arguments to CTest: here, the roads alone.
./test.sh -R '^Road\.'

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
