#!/usr/bin/env bash
# Runs a scripted session of the program under valgrind's memcheck on the
# headless screen: the competitors dialog opened and closed a hundred times,
# every button of the console hovered and pressed, both lists opened and
# closed, then ten thousand clock ticks. Fails on any invalid access and on
# memory definitely lost. Needs the release build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
steps=(wait:500)
for _ in $(seq 1 100); do steps+=(key:ctrl+d wait:200 key:alt+f4 wait:100); done
# The console sits at (113, 97) on the tool's 1024 x 640 screen; these are
# its buttons, its F-key buttons and the arrows of its two lists.
for at in 165,217 247,217 329,217 776,511 860,511 713,211 713,473; do
  steps+=("move:$at" wait:300 "press:$at" wait:50 "release:$at" wait:100)
done
steps+=(click:165,427 wait:200 key:escape wait:100 click:353,427 wait:200 key:escape)
steps+=(move:5,5 wait:10000000 shot:end)
out=$(mktemp -d)
log=$out/memcheck.log
if ! valgrind --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=9 \
    build/tools/sprintara-snapshot --out "$out" "${steps[@]}" >"$log" 2>&1; then
  grep -E '^==[0-9]+== ' "$log" | head -60
  echo "memcheck: the session failed; the whole report is in $log" >&2
  exit 1
fi
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost' "$log" | sed 's/^==[0-9]*== //'
rm -rf "$out"
