#!/bin/bash
# install_test.sh BUILD_DIR ROOT: installs BUILD_DIR into the staging root ROOT (prefix
# /usr) and checks that the program, desktop entry, metainfo and icons are where they belong
# and that the desktop entry and metainfo validate.
set -euo pipefail
build=${1:?usage: install_test.sh BUILD_DIR ROOT}; root=${2:?usage: install_test.sh BUILD_DIR ROOT}
rm -rf "$root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

id=bg.tamirel.Tamirel
status=0
for f in bin/tamirel share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/scalable/apps/$id.svg; do
  if [ -f "$root/usr/$f" ]; then echo "installed: /usr/$f"; else echo "MISSING: /usr/$f"; status=1; fi
done
[ -x "$root/usr/bin/tamirel" ] || { echo "not executable: /usr/bin/tamirel"; status=1; }
grep -qx 'Categories=Education;Math;' "$root/usr/share/applications/$id.desktop" || { echo "categories wrong"; status=1; }
grep -qx "Icon=$id" "$root/usr/share/applications/$id.desktop" || { echo "icon name wrong"; status=1; }
desktop-file-validate "$root/usr/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || status=1
exit $status
