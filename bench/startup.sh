#!/bin/bash
# startup.sh BENCH_DIR [RUNS]: start-up wall time and peak memory of the program's real
# start-up against a bare Qt window, median of RUNS runs each (default 15), measured
# alternately on the offscreen platform.
set -euo pipefail
dir=${1:?usage: startup.sh BENCH_DIR [RUNS]}
runs=${2:-15}
export QT_QPA_PLATFORM=offscreen

measure() {   # prints "milliseconds kilobytes" for one run of $1
  local mem start end
  mem=$(mktemp)
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$mem" "$1" >/dev/null 2>&1
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 )) $(cat "$mem")"
  rm -f "$mem"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure "$dir/startup" >/dev/null; measure "$dir/bare-window" >/dev/null   # warm the caches
: > /tmp/tamirel-startup.$$; : > /tmp/tamirel-bare.$$
for _ in $(seq "$runs"); do
  measure "$dir/startup" >> /tmp/tamirel-startup.$$
  measure "$dir/bare-window" >> /tmp/tamirel-bare.$$
done
app_us=$(cut -d' ' -f1 /tmp/tamirel-startup.$$ | median); app_kb=$(cut -d' ' -f2 /tmp/tamirel-startup.$$ | median)
bare_us=$(cut -d' ' -f1 /tmp/tamirel-bare.$$ | median); bare_kb=$(cut -d' ' -f2 /tmp/tamirel-bare.$$ | median)
rm -f /tmp/tamirel-startup.$$ /tmp/tamirel-bare.$$

awk -v a="$app_us" -v b="$bare_us" -v am="$app_kb" -v bm="$bare_kb" -v n="$runs" 'BEGIN {
  printf "start-up, median of %d runs      program      bare window   ratio\n", n
  t = a / b; m = am / bm
  printf "  wall time                     %8.1f ms  %8.1f ms    %.2f  (goal <= 1.2: %s)\n", a / 1000, b / 1000, t, t <= 1.2 ? "met" : "NOT MET"
  printf "  peak memory                   %8.1f MiB %8.1f MiB   %.2f  (goal <= 1.1: %s)\n", am / 1024, bm / 1024, m, m <= 1.1 ? "met" : "NOT MET"
}'
