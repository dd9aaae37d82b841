# Shared by the install and package checks: a scratch folder that goes
# away, failures that name what is missing, and the checks of an installed
# tree (the program started headless, the icon sizes).
set -euo pipefail

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The width and height in a PNG's header.
png_size() {
  local bytes
  bytes=($(od -An -tu1 -j16 -N8 "$1"))
  echo "$(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]))x$(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))"
}

# Checks the icons of an installed tree under $1/share/icons/hicolor.
check_icons() {
  for size in 16 24 32 48 64 128 256; do
    local icon="$1/share/icons/hicolor/${size}x${size}/apps/org.sprintara.Sprintara.png"
    [ -f "$icon" ] || fail "no ${size} pixel icon at $icon"
    [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon")"
  done
}

# Starts the installed programs of $1/bin headless from another folder: the
# snapshot tool writes its picture, and the program, ended with SIGTERM,
# closes and exits with status 0.
check_runs() {
  local bin="$1/bin" out="$work/shots dir"
  mkdir -p "$out"
  (cd / && env -u DISPLAY -u WAYLAND_DISPLAY "$bin/sprintara-snapshot" --out "$out" >/dev/null) ||
    fail "the installed snapshot tool failed"
  [ "$(png_size "$out/console.png")" != "0x0" ] || fail "no console picture"
  (cd / && exec env -u DISPLAY -u WAYLAND_DISPLAY SPRINTARA_BACKEND=headless "$bin/sprintara") &
  local pid=$! status=0
  sleep 2
  kill -0 "$pid" 2>/dev/null || fail "the installed program ended by itself"
  kill -TERM "$pid"
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "the installed program exited with $status on SIGTERM"
}
