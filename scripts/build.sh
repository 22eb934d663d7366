#!/usr/bin/env bash
# Configures and builds Plazor in ./build (Release with debug info). Installs what is missing first.
# Extra arguments go to CMake's configure step after the defaults, so they can override them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
build="${PLAZOR_BUILD_DIR:-$root/build}"
# A compiler cache, when the machine has one, makes rebuilds of other checkouts and CI runs cheap.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAZOR_BUILD_GUI=ON -DPLAZOR_SANITIZE=OFF \
  "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
