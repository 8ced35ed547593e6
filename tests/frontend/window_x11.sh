#!/usr/bin/env bash
# The real tarvek binary started without arguments under a real X server,
# driven with xdotool as a user would. Run through xvfb-run -a.
#   window_x11.sh TARVEK EXAMPLES_DIR SCRATCH_DIR
set -u
tarvek=$1 examples=$2 scratch=$3
. "$(dirname "$0")/../common/xdo.sh"
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$scratch" && mkdir -p "$scratch"

# Positions inside the window, from its layout: the middle of each widget.
load=(87 57) compile=(626 403) quit=(626 458) c_box=(35 411)

click_at() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.2
}

start() {  # case-name: starts tarvek without arguments in its own folder
  dir=$scratch/$1; mkdir -p "$dir"
  (cd "$dir" && exec "$tarvek" >"$dir/stdout" 2>"$dir/stderr") &
  pid=$!
  win=$(xdo_wait_window $pid tarvek) || { kill $pid 2>/dev/null; fail "$1: no option window"; }
  sleep 0.3
}

finish() {  # case-name expected-exit-code
  xdo_wait_exit $pid || { kill $pid; fail "$1: tarvek still running"; }
  wait $pid; local rc=$?
  [ $rc -eq "$2" ] || fail "$1: exit code $rc, expected $2 (stderr: $(cat "$dir/stderr"))"
}

# Loads FILE, a file of the run's own folder, through the file chooser: its
# name field takes the typed name (a typed path would be completed as it goes).
load_file() {  # file
  click_at "$win" "${load[@]}"
  local chooser
  chooser=$(xdo_wait_window $pid "grafcet selection") || fail "no file chooser"
  sleep 0.3
  xdotool windowfocus --sync "$chooser" 2>/dev/null
  xdotool key ctrl+a BackSpace
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep 0.5
}

# 1. Quit: exit 0 and nothing written.
start quit
import -window root "$scratch/window.png" 2>/dev/null
click_at "$win" "${quit[@]}"
finish quit 0
[ -z "$(ls "$dir" | grep -v -e stdout -e stderr)" ] || fail "quit: files written: $(ls "$dir")"
echo "ok: quit"

# 2. Load an example, tick c, Compile && Quit.
start compile
cp "$examples/traffic_light.gt" "$dir/"
load_file traffic_light.gt
click_at "$win" "${c_box[@]}"
click_at "$win" "${compile[@]}"
finish compile 0
[ -f "$dir/traffic_light.log" ] || fail "compile: no log"
grep -q "traffic_light" "$dir/traffic_light.log" || fail "compile: the log holds no dump"
grep -q "^void traffic_light_automaton(" "$dir/traffic_light.c" || fail "compile: no C source"
grep -q "^extern void traffic_light_automaton(" "$dir/traffic_light.h" || fail "compile: no C header"
echo "ok: load and compile"

# 3. Compile && Quit without a file: the message, then Quit.
start nofile
click_at "$win" "${compile[@]}"
box=$(xdo_wait_box $pid "$win") || fail "nofile: no message"
sleep 0.5
import -window root "$scratch/nofile.png" 2>/dev/null
xdo_key "$box" Return
sleep 0.5
kill -0 $pid 2>/dev/null || fail "nofile: tarvek ended after the message"
click_at "$win" "${quit[@]}"
finish nofile 0
echo "ok: compile without a file"

# 4. A grafcet without an initial step: the error box, closed, then exit 1
#    with the text on the standard error stream.
start failing
sed 's/IS: 1/NS: 1/' "$examples/traffic_light.gt" >"$dir/bad.gt"
load_file bad.gt
click_at "$win" "${compile[@]}"
box=$(xdo_wait_box $pid "$win") || fail "failing: ended before the error box was shown"
sleep 0.5
kill -0 $pid 2>/dev/null || fail "failing: ended before the error box was closed"
xdo_key "$box" Return
finish failing 1
grep -q "ERROR: No initial step found !!!" "$dir/stderr" || fail "failing: stderr: $(cat "$dir/stderr")"
echo "ok: failing grafcet"
echo "all window scenarios passed"
