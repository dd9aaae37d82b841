#!/usr/bin/env bash
# Sets up, builds and starts Sprintara: on the desktop when there is a display,
# otherwise it writes screenshots of the headless screen and says where they are.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh release
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/app/sprintara
fi
mkdir -p out
build/tools/sprintara-snapshot --out out
echo "No display: screenshots written to $(pwd)/out"
