#!/usr/bin/env bash
# Regenerates the README's pictures (docs/images/): the console, and the
# competitors dialog open over it, taken on the headless screen by the
# snapshot tool and cut to the windows.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target sprintara-snapshot >/dev/null
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
build/tools/sprintara-snapshot --out "$shots" --size 1280x800 wait:1500 shot:console key:ctrl+d wait:500 \
  shot:competitors >/dev/null
mkdir -p docs/images
for name in console competitors; do
  # The screen around the windows is empty: trimmed away.
  convert "$shots/$name.png" -trim +repage "docs/images/$name.png"
  echo "docs/images/$name.png"
done
