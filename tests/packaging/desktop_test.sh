#!/usr/bin/env bash
# The program on a private X server, as a window manager sees it: its
# window carries the application's class, the title the program set and
# the icon; a SPRINTARA_SCALE that is no whole number 1 to 4 is refused with
# one line; SIGTERM closes the console and the exit status is 0.
# Usage: desktop_test.sh PROGRAM
source "$(dirname "$0")/common.sh"
program=$1
for tool in Xvfb xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 0; }
done

# Xvfb picks a free display itself and writes its number.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
pid=
# Whatever happens, nothing is left running: a program left behind would hold
# the test runner's output open.
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 200); do
  grep -q . "$work/display" 2>/dev/null && break
  sleep 0.1
done
number=$(head -1 "$work/display")
[ -n "$number" ] || fail "Xvfb did not start"
export DISPLAY=":$number" SDL_AUDIODRIVER=dummy
# In the sanitizer tree: the session bus library that SDL2 talks to keeps a
# buffer it never frees, which is not ours to fix.
echo "leak:libdbus-1.so" >"$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

SPRINTARA_BACKEND=desktop SPRINTARA_SCALE=2.5 "$program" 2>"$work/stderr" &
pid=$!
# The window shown on the screen; a window the display library makes and
# replaces while it sets up its renderer can be gone by the time it is asked.
window=
props=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --class '^sprintara$' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && props=$(xprop -id "$window" 2>/dev/null) && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window of class sprintara appeared"
[ -n "$props" ] || fail "the window of class sprintara went away while it was read"
grep -q 'WM_CLASS(STRING) = "sprintara", "sprintara"' <<<"$props" || fail "WM_CLASS: $(grep WM_CLASS <<<"$props")"
# The task-bar entry carries the application's title, which the program
# makes from the name of its file.
grep -q '_NET_WM_NAME(UTF8_STRING) = "sprintara"' <<<"$props" || fail "title: $(grep _NET_WM_NAME <<<"$props")"
grep -q '_NET_WM_ICON(CARDINAL)' <<<"$props" || fail "the window has no icon"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "exit status $status on SIGTERM"
# (The sanitizers may add their own report after it.)
lines=$(grep -c 'SPRINTARA_SCALE' "$work/stderr" || true)
grep -q '^sprintara: SPRINTARA_SCALE=2.5 ignored' "$work/stderr" && [ "$lines" -eq 1 ] ||
  fail "the refused scale was not told in one line: $(cat "$work/stderr")"
echo "desktop conventions hold"
