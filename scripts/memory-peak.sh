#!/usr/bin/env bash
# The memory a poster-size picture takes: welvaro-cli map and chart --png at
# 8192 x 8192 pixels (rectangular map, azimuthal map with the night side,
# chart), each run once under /usr/bin/time -v. Reports the peak resident
# memory of each run against its bar, twice the picture's own bytes
# (4 per pixel) plus 64 MiB, and fails when a run goes over it.
#
# Usage: scripts/memory-peak.sh [BUILD_DIR] [SIZE]
#   BUILD_DIR  the build with welvaro-cli (default build/release)
#   SIZE       WxH (default 8192x8192)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
size=${2:-8192x8192}
cli="$build/src/cli/welvaro-cli"
[[ -x $cli ]] || { echo "no $cli: build it first" >&2; exit 2; }
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$cli" table --dir "$dir" --date 2026-12-08 >/dev/null

w=${size%x*}
h=${size#*x}
bar_kib=$(( (2 * 4 * w * h + 64 * 1024 * 1024) / 1024 ))
fail=0
run() {
  local name=$1
  shift
  local peak
  peak=$( { /usr/bin/time -v "$cli" "$@" --dir "$dir" --png "$dir/p.png" --size "$size" >/dev/null; } 2>&1 |
          awk '/Maximum resident set size/ {print $NF}')
  local verdict=ok
  if (( peak > bar_kib )); then verdict=OVER; fail=1; fi
  printf '%-28s peak %7d MiB   bar %7d MiB   %s\n' "$name" $((peak / 1024)) $((bar_kib / 1024)) "$verdict"
}
run "map rectangular" map --freq 14.2 --utc 02:00
run "map azimuthal, greyline" map --freq 14.2 --utc 02:00 --projection azimuthal --greyline --b 40.4,-3.7
run "chart" chart --b 35.7,139.7
exit $fail
