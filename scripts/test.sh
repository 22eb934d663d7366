#!/usr/bin/env bash
# The project's test command: installs what is missing, builds everything and runs every test
# (the windows offscreen), then builds the Qt-free core once more with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs its tests again, so that the randomised tests of the template
# reader and the picture probe, and the hostile-input run of plazor-batch, also prove there is no memory
# fault; last, the fuzz targets get a few seconds each. Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
build="${PLAZOR_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

if [ "${PLAZOR_SKIP_SANITIZERS:-0}" != 1 ]; then
  asan="${PLAZOR_ASAN_BUILD_DIR:-$root/build-asan}"
  PLAZOR_BUILD_DIR="$asan" "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Debug -DPLAZOR_BUILD_GUI=OFF -DPLAZOR_SANITIZE=ON
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 ctest --test-dir "$asan" --output-on-failure -j "$(nproc)"
  "$root/scripts/fuzz.sh" "${PLAZOR_FUZZ_SECONDS:-3}"
fi
