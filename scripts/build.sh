#!/usr/bin/env bash
# Configures and builds Plazor in ./build (Release with debug info). Installs what is missing first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
build="${PLAZOR_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAZOR_BUILD_GUI=ON -DPLAZOR_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
