#!/bin/bash
# package_test.sh BUILD_DIR OUT_DIR: builds the Debian package from BUILD_DIR into OUT_DIR
# and fails on any error or warning lintian reports for it.
set -euo pipefail
build=${1:?usage: package_test.sh BUILD_DIR OUT_DIR}; out=${2:?usage: package_test.sh BUILD_DIR OUT_DIR}
rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/tamirel_*.deb)
echo "built $deb"
report=$(lintian --fail-on none "$deb" 2>/dev/null)
echo "$report"
if printf '%s\n' "$report" | grep -E '^[EW]: ' >/dev/null; then
  echo "lintian reports errors or warnings"
  exit 1
fi
