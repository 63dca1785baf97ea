#!/bin/bash
# Builds everything and runs every test: the platform-neutral modules natively
# under sanitizers, the Windows programs under Wine, and the fuzz targets on
# their kept corpus for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
jobs=$(nproc)
status=0
for preset in native windows fuzz; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs" || status=1
done
exit $status
