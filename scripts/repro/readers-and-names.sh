#!/usr/bin/env bash
# Reproductions of what a hostile user or a careless system met in the
# readers of the program's files and in the names people type, each with
# the sound behaviour it expects:
#   help_on_a_fifo     F1 with a FIFO as help file: the window still answers
#   broken_data_files  damaged data files are named as damaged; welvaro-cli
#                      exits with 4 where a command needs the file
#   city_names         "New York", "St. Petersburg", "St. Petersburg, RU"
#   station_a_locator  station A entered as IO91WM stays IO91WM
# Usage: scripts/repro/readers-and-names.sh [BUILD_DIR] [NAME...]
# (BUILD_DIR defaults to build/release, built with its tests; the names
# run only those reproductions).
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
shift || true
cli=$build/src/cli/welvaro-cli
passed=0
failed=0

ok() { echo "PASS $1"; passed=$((passed + 1)); }
bad() { echo "FAIL $1: $2"; failed=$((failed + 1)); }

# welvaro-cli finds the shipped data files beside itself: a copy in `dir`
# reads the data files put there.
cli_in() {
  local dir=$1
  cp "$cli" "$dir/welvaro-cli"
  for f in Ortsvorg.txt Orte.dat MapWelt.dat MapOrt.dat MapLinien.dat; do cp "data/$f" "$dir/"; done
}

help_on_a_fifo() {
  # The window test makes the FIFO, presses F1 twice, switches the display
  # and checks the help viewer names the file as not a regular file.
  if QT_QPA_PLATFORM=offscreen timeout 120 "$build/tests/ui/datafiles_uitest" helpOnAFifoLeavesTheWindowAnswering \
      >/tmp/repro-help.$$ 2>&1; then
    ok help_on_a_fifo
  else
    bad help_on_a_fifo "$(grep -m1 -E 'FAIL|Timeout' /tmp/repro-help.$$ || echo 'the window hung')"
  fi
  rm -f /tmp/repro-help.$$
  if QT_QPA_PLATFORM=offscreen timeout 120 "$build/tests/ui/datafiles_uitest" damagedMapLinesAreNamedDamaged \
      damagedGazetteerIsNamedWhenANameIsLookedUp >/dev/null 2>&1; then
    ok window_names_damaged_files
  else
    bad window_names_damaged_files "the window does not say damaged"
  fi
}

broken_data_files() {
  local d
  d=$(mktemp -d)
  cli_in "$d"
  "$d/welvaro-cli" table --dir "$d" --date 2026-12-08 >/dev/null
  local name args expect
  while IFS='|' read -r name file args expect; do
    cp "data/$file" "$d/$file" 2>/dev/null
    head -c 5000 /dev/urandom >"$d/$file"
    # shellcheck disable=SC2086
    out=$("$d/welvaro-cli" $args 2>&1 >/dev/null)
    rc=$?
    if [ "$rc" = 4 ] && [[ "$out" == *"$d/$file: damaged: "* ]]; then
      ok "broken_$name"
    else
      bad "broken_$name" "exit $rc: $out (expected 4 and $expect)"
    fi
    cp "data/$file" "$d/$file"
  done <<LIST
place_list|Ortsvorg.txt|link --b munchen|the place list named damaged
gazetteer|Orte.dat|link --b munchen|the gazetteer named damaged
world_overlay|MapWelt.dat|map --dir $d --freq 14.2 --utc 12:00|MapWelt.dat named damaged
chart_overlay|MapOrt.dat|chart --dir $d|MapOrt.dat named damaged
map_lines|MapLinien.dat|map --dir $d --freq 14.2 --utc 12:00 --png $d/k.png --size 64x32|MapLinien.dat named damaged
LIST
  # Missing files change nothing: the features are simply absent.
  rm -f "$d/MapLinien.dat" "$d/MapWelt.dat"
  if "$d/welvaro-cli" map --dir "$d" --freq 14.2 --utc 12:00 >/dev/null 2>&1; then
    ok missing_files_are_no_error
  else
    bad missing_files_are_no_error "map without its drawing failed"
  fi
  rm -rf "$d"
}

city_names() {
  local d
  d=$(mktemp -d)
  cli_in "$d"
  local r err
  err=$("$d/welvaro-cli" link --b "New York" --format csv 2>&1 >/dev/null)
  if [ $? = 0 ] && [[ "$err" == *"taken as New York City, US"* ]]; then ok new_york; else bad new_york "$err"; fi
  err=$("$d/welvaro-cli" link --b "St. Petersburg" --format csv 2>&1 >"$d/a")
  "$d/welvaro-cli" link --b "59.93863,30.31413" --format csv >"$d/b" 2>/dev/null
  if [[ "$err" == *"taken as Saint Petersburg, RU"* ]] && cmp -s "$d/a" "$d/b"; then
    ok st_petersburg
  else
    bad st_petersburg "$err"
  fi
  r=$("$d/welvaro-cli" link --b "St. Petersburg, RU" --format csv 2>&1)
  if [ $? = 0 ]; then ok st_petersburg_ru; else bad st_petersburg_ru "$r"; fi
  rm -rf "$d"
}

station_a_locator() {
  local out
  out=$("$cli" point --a IO91WM --freq 14.2 --utc 12:00 --format json 2>&1)
  if [[ "$out" == '{"a": {"name": '*'"lat": 51.5208333333333,'* ]]; then
    ok station_a_locator_cli
  else
    bad station_a_locator_cli "$out"
  fi
  if QT_QPA_PLATFORM=offscreen timeout 300 "$build/tests/ui/placenames_uitest" stationAFromALocatorOpensAsEntered \
      >/dev/null 2>&1; then
    ok station_a_locator_window
  else
    bad station_a_locator_window "the dialog or the read-out does not show IO91WM"
  fi
}

all=(help_on_a_fifo broken_data_files city_names station_a_locator)
for r in "${@:-${all[@]}}"; do "$r"; done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
