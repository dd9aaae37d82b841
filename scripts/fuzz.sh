#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/, clang with libFuzzer and the sanitizers, in
# build-fuzz/) and runs each for SECONDS (default 30), starting from the seed
# corpus in fuzz/corpus/. New inputs go to build-fuzz/corpus/, crashes to
# build-fuzz/crashes/. Usage: fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "$(nproc)"
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(skin_ini skin_texts jpeg bmp_png description field_text table_binary table_comma)
mkdir -p build-fuzz/crashes
for t in "${targets[@]}"; do
  work=build-fuzz/corpus/$t
  mkdir -p "$work"
  echo "fuzz: $t for ${seconds}s"
  # A picture header may ask for the largest picture allowed (64 megapixels),
  # which the sanitizer's quarantine holds on to for a while: room above the
  # default 2 GB keeps that from being taken for running out of memory.
  if ! build-fuzz/fuzz_"$t" "$work" "fuzz/corpus/$t" -max_total_time="$seconds" -rss_limit_mb=4096 \
      -artifact_prefix=build-fuzz/crashes/"$t"- -print_final_stats=0 >build-fuzz/"$t".log 2>&1; then
    tail -40 build-fuzz/"$t".log
    echo "fuzz: $t failed; the input is in build-fuzz/crashes/" >&2
    exit 1
  fi
  grep -E "^#[0-9]+.*DONE" build-fuzz/"$t".log | tail -1 || true
done
echo "fuzz: all targets ran ${seconds}s without a fault"
