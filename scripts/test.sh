#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh release
# A test that drives real X servers can meet a busy machine now and then: a
# failure is run once more, and its first output stays in the log.
ctest --test-dir build --output-on-failure -j "$(nproc)" --repeat until-pass:2
