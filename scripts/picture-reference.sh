#!/usr/bin/env bash
# Writes the reviewed reference pictures of the console that the picture test
# compares against (tests/e2e/reference/), after building the snapshot tool.
# Look at the new pictures before committing them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target sprintara-snapshot >/dev/null
out=tests/e2e/reference
# Keep these steps in step with tests/e2e/PictureTest.cpp.
steps=(wait:400 shot:console)
for kind in text glyphless; do
  tmp=$(mktemp -d)
  flag=()
  [ "$kind" = glyphless ] && flag=(--no-glyphs)
  build/tools/sprintara-snapshot --out "$tmp" "${flag[@]}" "${steps[@]}" >/dev/null
  suffix=""
  [ "$kind" = glyphless ] && suffix="-glyphless"
  cp "$tmp/console.png" "$out/console$suffix.png"
  rm -rf "$tmp"
done
echo "wrote $out/console.png and $out/console-glyphless.png"
