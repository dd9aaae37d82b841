#!/usr/bin/env bash
# `cpack -G DEB`: the package holds the program, menu entry, metainfo and
# icons under /usr, depends on the libraries the program links and on its
# fonts, and, unpacked into a scratch root, runs from there.
# Usage: package_test.sh BUILD_DIR
source "$(dirname "$0")/common.sh"
build=$1
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/package/*.deb)
[ -f "$deb" ] || fail "no package"

contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/sprintara ./usr/bin/sprintara-snapshot \
  ./usr/share/applications/org.sprintara.Sprintara.desktop \
  ./usr/share/metainfo/org.sprintara.Sprintara.metainfo.xml \
  ./usr/share/icons/hicolor/48x48/apps/org.sprintara.Sprintara.png; do
  grep -q " $f\$" <<<"$contents" || fail "the package lacks $f"
done

depends=$(dpkg-deb -f "$deb" Depends)
for dep in libsdl2 libfreetype libfontconfig libpng libicu libjpeg libstdc++ fonts-liberation fonts-dejavu-core; do
  grep -q "$dep" <<<"$depends" || fail "the package does not depend on $dep: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = sprintara ] || fail "package name"

dpkg -x "$deb" "$work/root"
check_icons "$work/root/usr"
check_runs "$work/root/usr"
echo "package complete: $(basename "$deb")"
