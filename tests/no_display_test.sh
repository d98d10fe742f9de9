#!/bin/bash
# no_display_test.sh PROGRAM: started with no display and no platform chosen, the program
# says so in one line that names the way out, and ends with status 1 (not a crash).
set -uo pipefail
program=${1:?usage: no_display_test.sh PROGRAM}
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1 >/dev/null)
status=$?
echo "status $status: $err"
[ "$status" -eq 1 ] || { echo "expected status 1"; exit 1; }
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || { echo "expected one line"; exit 1; }
case "$err" in *"xvfb-run -a tamirel"*) ;; *) echo "the way out is not named"; exit 1 ;; esac
