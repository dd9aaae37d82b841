#!/usr/bin/env bash
# `cmake --install` into a prefix with spaces: the program, the menu entry
# and the software-centre description pass their validators, every icon
# size is in the hicolor theme, and the installed program runs from there.
# Usage: install_test.sh BUILD_DIR
source "$(dirname "$0")/common.sh"
build=$1
prefix="$work/opt with spaces/sprintara root"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

for f in bin/sprintara bin/sprintara-snapshot; do
  [ -x "$prefix/$f" ] || fail "$f is not installed"
done
desktop="$prefix/share/applications/org.sprintara.Sprintara.desktop"
metainfo="$prefix/share/metainfo/org.sprintara.Sprintara.metainfo.xml"
[ -f "$desktop" ] || fail "no menu entry"
[ -f "$metainfo" ] || fail "no metainfo"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli validate"
grep -qx 'Exec=sprintara' "$desktop" || fail "the menu entry does not start sprintara"
grep -qx 'Icon=org.sprintara.Sprintara' "$desktop" || fail "the menu entry names another icon"
grep -qx 'StartupWMClass=sprintara' "$desktop" || fail "the menu entry names another window class"
check_icons "$prefix"
check_runs "$prefix"
echo "install tree complete"
