#!/usr/bin/env bash
# Reproductions of faults a hostile user or a careless system can cause:
# each one sets up the situation with the built programs and expects the
# sound behaviour. Run by ctest; builds nothing itself.
#
#   repro.sh --cli PATH/welvaro-cli [--gui PATH/welvaro] [NAME ...]
#
# Every function named repro_<name> below is one reproduction; all run
# unless names are given. A reproduction reports with `fail MESSAGE` (the
# run goes on, the script exits 1 at the end) or `skip MESSAGE`. To add
# one: write a function repro_<name> that works in its own folder "$work"
# (made fresh for it and removed afterwards). Helpers: cli, gui_start,
# gui_end, wait_for, is_pdf, no_leftovers.
set -uo pipefail

CLI=""
GUI=""
names=()
while [ $# -gt 0 ]; do
  case "$1" in
    --cli) CLI=$2; shift 2 ;;
    --gui) GUI=$2; shift 2 ;;
    *) names+=("$1"); shift ;;
  esac
done
[ -x "$CLI" ] || { echo "repro.sh: --cli must name the built welvaro-cli" >&2; exit 2; }

failures=0
current=""
status=""

fail() {
  echo "  FAIL ($current): $*"
  status=fail
}
skip() {
  echo "  SKIP ($current): $*"
  [ "$status" = fail ] || status=skip
}

cli() { "$CLI" "$@"; }

# Waits up to $2 seconds for the file $1 to exist.
wait_for() {
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    [ -e "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# Whether $1 is a whole PDF file: its header at the start, its end mark at the end.
is_pdf() {
  [ -f "$1" ] && [ "$(head -c 5 "$1")" = "%PDF-" ] && tail -c 7 "$1" | grep -q '%%EOF'
}

# Whether folder $1 holds no temporary file of the writer (".NAME.XXXXXX").
no_leftovers() {
  ! find "$1" -maxdepth 1 -name '.*.??????' -type f | grep -q .
}

# The desktop program, started in a folder of its own: a copy of the
# program in "$1" keeps its files beside itself. Returns when the first
# picture is drawn (the start-up sequence is over). Further arguments are
# put before the program (env settings, ulimit wrappers).
GUI_PID=""
gui_start() {
  local dir=$1
  shift
  cp "$GUI" "$dir/welvaro" || return 1
  rm -f "$dir/WelvDar1.bmp"
  (cd "$dir" && exec env QT_QPA_PLATFORM=offscreen "$@" ./welvaro) \
    >"$dir/gui.out" 2>"$dir/gui.err" &
  GUI_PID=$!
  if ! wait_for "$dir/WelvDar1.bmp" 120; then
    kill -9 "$GUI_PID" 2>/dev/null
    wait "$GUI_PID" 2>/dev/null
    return 1
  fi
  sleep 2  # the signal handling is set up right after the first picture
  kill -0 "$GUI_PID" 2>/dev/null
}
# Ends the program as a logout does (SIGTERM: an orderly close that saves);
# returns its exit status.
gui_end() {
  kill -TERM "$GUI_PID" 2>/dev/null
  wait "$GUI_PID"
}
need_gui() {
  [ -n "$GUI" ] && [ -x "$GUI" ] && return 0
  skip "the desktop program is not built"
  return 1
}

# ---- The reproductions ------------------------------------------------------

# A table that could not be written is never made to look current: a full
# disk (a limit on file sizes, which holds for the superuser too) with an
# old, writable table; start, end; the old table keeps its own header.
repro_stale_header() {
  need_gui || return
  mkdir -p "$work/prog"
  cli table --dir "$work/prog" --date 2025-01-15 >/dev/null || { fail "no old table"; return; }
  cp "$work/prog/Welvaro.tab" "$work/old.tab"
  # 300 KB: the settings and the pictures fit, the 481 KB table does not.
  if ! gui_start "$work/prog" bash -c 'trap "" XFSZ; ulimit -f 300; exec "$0" "$@"'; then
    fail "the program did not start"
    return
  fi
  gui_end
  cmp -s "$work/prog/Welvaro.tab" "$work/old.tab" || fail "the old table got a new header: $(head -c 12 "$work/prog/Welvaro.tab")"
  grep -qE "Vorhersagetabelle wurde nicht gespeichert|forecast table was not saved" "$work/prog/gui.err" ||
    fail "the user was not told the forecast is not saved: $(cat "$work/prog/gui.err")"
}

# kill -9 during report --pdf: the old report whole or the new one whole,
# never nothing or a piece; the next run clears what the killed ones left.
repro_kill_during_report_pdf() {
  local out="$work/report.pdf" i pid
  cli report --pdf "$out" >/dev/null || { fail "no first report"; return; }
  cp "$out" "$work/first.pdf"
  for ((i = 0; i < 60; i++)); do
    cli report --pdf "$out" --ssn $((i + 10)) >/dev/null 2>&1 &
    pid=$!
    sleep "0.00$((RANDOM % 10))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    is_pdf "$out" || { fail "after kill $i: $(wc -c <"$out") bytes, not a whole PDF"; return; }
  done
  cli report --pdf "$out" >/dev/null || fail "report after the kills failed"
  is_pdf "$out" || fail "the last report is not whole"
  no_leftovers "$work" || fail "leftovers after the next run: $(ls -A "$work")"
}

# Ctrl-C or SIGTERM while a picture is written: the program ends by the
# signal, the old picture stays whole, no temporary file is left. The signal
# is sent the moment the writer's temporary file appears.
repro_interrupt_leaves_nothing() {
  local sig pid rc temp hit=0
  cli table --dir "$work" >/dev/null || { fail "no table"; return; }
  cli map --dir "$work" --freq 10 --utc 12:00 --png "$work/map.png" >/dev/null || { fail "no first map"; return; }
  for sig in INT TERM INT TERM; do
    # A job started in the background by a script ignores SIGINT: give it back its default.
    env --default-signal=INT "$CLI" map --dir "$work" --freq 14 --utc 12:00 --png "$work/map.png" \
      --size 4096x4096 >/dev/null 2>&1 &
    pid=$!
    # Bash's own tests only: fast enough to catch the write.
    SECONDS=0
    while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt 120 ]; do
      for temp in "$work"/.map.png.??????; do
        if [ -e "$temp" ]; then
          kill -"$sig" "$pid"
          hit=$((hit + 1))
          break 2
        fi
      done
    done
    wait "$pid"
    rc=$?
    echo "  SIG$sig: exit status $rc"
    [ $rc -eq 0 ] || [ $rc -eq $((128 + $(kill -l "$sig"))) ] || fail "SIG$sig: exit status $rc"
    no_leftovers "$work" || { fail "SIG$sig left $(ls -A "$work" | grep '^\.')"; return; }
    [ "$(head -c 4 "$work/map.png" | od -An -c | tr -d ' ')" = "211PNG" ] || fail "SIG$sig: map.png is not whole"
  done
  [ $hit -gt 0 ] || skip "no signal reached a write in progress"
}

# Output names that are no regular file: exit 4, nothing opened or
# replaced, no hang; a symbolic link is written through and stays.
repro_odd_output_targets() {
  local rc
  cli table --dir "$work" >/dev/null || { fail "no table"; return; }
  mkfifo "$work/fifo.png" "$work/fifo.pdf"
  timeout 60 "$CLI" map --dir "$work" --freq 10 --utc 12:00 --png "$work/fifo.png" >/dev/null 2>&1
  rc=$?
  [ $rc -eq 4 ] || fail "map --png FIFO: exit $rc"
  [ -p "$work/fifo.png" ] || fail "map --png replaced the FIFO"
  timeout 60 "$CLI" report --pdf "$work/fifo.pdf" >/dev/null 2>&1
  rc=$?
  [ $rc -eq 4 ] || fail "report --pdf FIFO: exit $rc (124: it hung)"
  [ -p "$work/fifo.pdf" ] || fail "report --pdf replaced the FIFO"
  # A device: through a link to /dev/full, and as a node of its own where
  # the system lets us make one (never /dev/full itself).
  ln -s /dev/full "$work/full.png"
  mknod "$work/device.png" c 1 7 2>/dev/null
  for f in full.png device.png; do
    [ -e "$work/$f" ] || [ -L "$work/$f" ] || continue
    timeout 60 "$CLI" map --dir "$work" --freq 10 --utc 12:00 --png "$work/$f" >/dev/null 2>&1
    rc=$?
    [ $rc -eq 4 ] || fail "map --png $f: exit $rc"
  done
  [ -L "$work/full.png" ] || fail "the link to /dev/full was replaced"
  [ ! -e "$work/device.png" ] || [ -c "$work/device.png" ] || fail "the device node was replaced"
  mkdir "$work/folder.pdf"
  cli report --pdf "$work/folder.pdf" >/dev/null 2>&1
  rc=$?
  [ $rc -eq 4 ] || fail "report --pdf folder: exit $rc"
  # Links written through: the link stays, the file it points to is new.
  mkdir -p "$work/real"
  echo old >"$work/real/map.png"
  echo old >"$work/real/report.pdf"
  ln -s real/map.png "$work/link.png"
  ln -s real/report.pdf "$work/link.pdf"
  cli map --dir "$work" --freq 10 --utc 12:00 --png "$work/link.png" >/dev/null || fail "map --png link failed"
  cli report --pdf "$work/link.pdf" >/dev/null || fail "report --pdf link failed"
  [ -L "$work/link.png" ] && [ -L "$work/link.pdf" ] || fail "a link was replaced by a file"
  [ "$(head -c 4 "$work/real/map.png" | od -An -c | tr -d ' ')" = "211PNG" ] || fail "the linked picture is not new"
  is_pdf "$work/real/report.pdf" || fail "the linked report is not new"
  mv "$work/Welvaro.tab" "$work/real/table"
  ln -s real/table "$work/Welvaro.tab"
  cli table --dir "$work" >/dev/null || fail "table through a link failed"
  [ -L "$work/Welvaro.tab" ] || fail "the table's link was replaced"
  no_leftovers "$work" && no_leftovers "$work/real" || fail "temporary files left"
}

# The settings file and the preferences kept elsewhere through links (a
# dotfile manager): after start and end both links stay and their files
# hold what was saved.
repro_linked_settings() {
  need_gui || return
  mkdir -p "$work/prog" "$work/dotfiles"
  ln -s ../dotfiles/Welvaro.dat "$work/prog/Welvaro.dat"
  ln -s ../dotfiles/WelvaroFenster.ini "$work/prog/WelvaroFenster.ini"
  gui_start "$work/prog" || { fail "the program did not start"; return; }
  gui_end || fail "the end failed: $(cat "$work/prog/gui.err")"
  [ -L "$work/prog/Welvaro.dat" ] && [ -L "$work/prog/WelvaroFenster.ini" ] || fail "a link was replaced by a file"
  grep -qs "Stationsort(A)" "$work/dotfiles/Welvaro.dat" || fail "the linked settings file was not written"
  grep -qs "breite=" "$work/dotfiles/WelvaroFenster.ini" || fail "the linked preferences were not written"
}

# Preferences cannot stop the program starting: a size no memory holds,
# and one larger than the screen (offscreen: 800 x 800).
repro_huge_preferences() {
  need_gui || return
  local size w
  for size in 100000 16000; do
    rm -rf "$work/prog"
    mkdir -p "$work/prog"
    printf 'x=0\ny=0\nbreite=%s\nhoehe=%s\nmaximiert=0\nprojektion=0\n' "$size" "$size" >"$work/prog/WelvaroFenster.ini"
    gui_start "$work/prog" || { fail "$size x $size: the program did not start: $(tail -3 "$work/prog/gui.err")"; continue; }
    gui_end || fail "$size x $size: the end failed"
    w=$(sed -n 's/^breite=//p' "$work/prog/WelvaroFenster.ini")
    [ -n "$w" ] && [ "$w" -lt 16000 ] || fail "$size x $size: the window kept width $w"
  done
}

# Two refused settings files in a row: the first copy (which may hold the
# last good settings) survives the second.
repro_two_refused_settings() {
  need_gui || return
  mkdir -p "$work/prog"
  printf 'first damaged file\r\n' >"$work/prog/Welvaro.dat"
  gui_start "$work/prog" || { fail "first start failed"; return; }
  gui_end
  printf 'second damaged file\r\n' >"$work/prog/Welvaro.dat"
  gui_start "$work/prog" || { fail "second start failed"; return; }
  gui_end
  grep -q "first damaged" "$work/prog/Welvaro.dat.bak" 2>/dev/null || fail "Welvaro.dat.bak lost the first file"
  grep -q "second damaged" "$work/prog/Welvaro.dat.bak.1" 2>/dev/null || fail "the second file was not kept as .bak.1"
}

# JSON of every subcommand that has it, with odd station names, parsed
# strictly (as UTF-8, no ".5" numbers).
repro_json_of_every_subcommand() {
  command -v python3 >/dev/null || { skip "python3 is not installed"; return; }
  local strict='import json, sys; json.loads(sys.stdin.buffer.read().decode("utf-8"))'
  local bad name args
  bad=$(printf 'bad\xff\xfe "q" \\ \t end')
  for args in "link" "point --freq 14.2 --utc 12:00 --a .5,-.5" "bands --utc 23:00 --hours 3"; do
    # shellcheck disable=SC2086
    cli $args --format json | python3 -c "$strict" || fail "$args: not valid JSON"
  done
  for name in "$bad" "München" "$(printf 'cut \xe2\x82')"; do
    cli point --freq 7 --utc 06:30 --name-a "$name" --name-b "$name" --format json | python3 -c "$strict" ||
      fail "point with name $(printf '%q' "$name"): not valid JSON"
  done
}

# ---- Runner -------------------------------------------------------------------

[ ${#names[@]} -gt 0 ] || mapfile -t names < <(declare -F | awk '{print $3}' | grep '^repro_' | sed 's/^repro_//')
for name in "${names[@]}"; do
  current=$name
  status=pass
  work=$(mktemp -d "${TMPDIR:-/tmp}/welvaro-repro-XXXXXX")
  echo "== $name"
  "repro_$name"
  GUI_PID=""
  rm -rf "$work"
  case $status in
    pass) echo "  ok" ;;
    fail) failures=$((failures + 1)) ;;
  esac
done
echo "$failures of ${#names[@]} reproductions failed"
[ $failures -eq 0 ]
