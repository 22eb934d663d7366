#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (into ./build-fuzz) and runs each for SECONDS (default 5):
# the template reader, the picture header probe and the external-task frame decoder. Each keeps its
# corpus in build-fuzz/corpus/NAME, seeded from the repository's templates and a few headers, so a
# longer run goes on from what earlier runs found:  scripts/fuzz.sh 600
# A fault stops the run with the crashing input saved in build-fuzz/ and a non-zero exit.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-5}"
"$root/scripts/install-deps.sh"
build="${PLAZOR_FUZZ_BUILD_DIR:-$root/build-fuzz}"
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DPLAZOR_BUILD_GUI=OFF -DPLAZOR_BUILD_TESTS=OFF -DPLAZOR_FUZZ=ON \
  "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target template_reader_fuzz probe_fuzz frame_fuzz

corpus="$build/corpus"
mkdir -p "$corpus/template_reader_fuzz" "$corpus/probe_fuzz" "$corpus/frame_fuzz"
cp "$root/examples/demo/demo.dat" "$root/bench/grid_2x2.dat" "$corpus/template_reader_fuzz/"
printf 'GIF89a\x40\x00\x30\x00\x80\x00\x00' >"$corpus/probe_fuzz/gif"
printf '\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x00\x40\x00\x00\x00\x30\x08\x06\x00\x00\x00' >"$corpus/probe_fuzz/png"
printf '\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xc0\x00\x11\x08\x00\x30\x00\x40\x03\x01\x22\x00' >"$corpus/probe_fuzz/jpeg"
printf 'BM\x46\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x02\x00\x00\x00\xfe\xff\xff\xff' >"$corpus/probe_fuzz/bmp"

cd "$build"
for target in template_reader_fuzz probe_fuzz frame_fuzz; do
  echo "fuzzing $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 "$build/fuzz/$target" -max_total_time="$seconds" \
    -max_len=65536 -rss_limit_mb=4096 -print_final_stats=0 "$corpus/$target" 2>"$build/$target.log" ||
    { tail -40 "$build/$target.log"; exit 1; }
  grep -E '^Done [0-9]+ runs' "$build/$target.log" || true
done
