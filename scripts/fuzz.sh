#!/usr/bin/env bash
# Runs the fuzz targets of the readers (fuzz/), each for a fixed time over
# its seed corpus (fuzz/corpus/<name>), several at once. A finding (a
# crash, a broken property, a leak, a timeout) fails the run; its input is
# kept in build/fuzz/findings/<name>/.
#
#   scripts/fuzz.sh [SECONDS] [NAME ...]     (default 10 seconds, all targets)
#
# Needs the targets built by the fuzz preset (cmake --preset fuzz &&
# cmake --build --preset fuzz). New inputs go to a scratch folder, so the
# seeds stay as they are.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-10}
shift || true
bin=$root/build/fuzz/fuzz
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for t in "$bin"/fuzz_*; do
    [ -x "$t" ] && names+=("${t##*/fuzz_}")
  done
fi
[ ${#names[@]} -gt 0 ] || { echo "no fuzz targets in $bin" >&2; exit 2; }

run_one() {
  local name=$1 seconds=$2 root=$3 bin=$4
  local scratch findings log
  scratch=$(mktemp -d)
  findings=$root/build/fuzz/findings/$name
  local extra=()
  [ -f "$root/fuzz/$name.dict" ] && extra+=("-dict=$root/fuzz/$name.dict")
  log=$scratch/log
  mkdir -p "$scratch/corpus"
  if (cd "$scratch" && "$bin/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "${extra[@]}" corpus "$root/fuzz/corpus/$name") >"$log" 2>&1; then
    echo "fuzz_$name: $(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}') inputs in ${seconds} s, no finding"
    rm -rf "$scratch"
    return 0
  fi
  mkdir -p "$findings"
  cp "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-* "$scratch"/oom-* "$findings"/ 2>/dev/null
  echo "fuzz_$name: FINDING (inputs kept in $findings)"
  grep -E 'ERROR|property broken|SUMMARY|Test unit written' "$log" | head -20
  rm -rf "$scratch"
  return 1
}
export -f run_one

jobs=$(nproc)
printf '%s\n' "${names[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$root" "$bin"
