#!/usr/bin/env bash
# Configures and builds one build tree. Usage: build.sh [release|asan] (default release).
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-release}
case "$kind" in
  release) dir=build; args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan) dir=build-asan; args=(-DCMAKE_BUILD_TYPE=Debug -DSPRINTARA_SANITIZE=ON -DSPRINTARA_BENCH=OFF) ;;
  *) echo "build.sh: unknown kind '$kind' (release or asan)" >&2; exit 2 ;;
esac
# A compiler cache, when the machine has one, makes rebuilds of other trees cheap.
if command -v ccache >/dev/null 2>&1; then
  args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
