#!/usr/bin/env bash
# Under a real X server: the box must appear, wait to be closed, and the run
# must go on once xdotool closes it. Run through xvfb-run -a.
set -u
probe=$1
. "$(dirname "$0")/../common/xdo.sh"
fail() { echo "FAIL: $*"; exit 1; }

run_case() {  # kind text key expected-stdout expected-stderr
  local out err pid rc win
  out=$(mktemp) err=$(mktemp)
  "$probe" "$1" "$2" >"$out" 2>"$err" &
  pid=$!
  win=$(xdo_wait_window $pid) ||
    { kill $pid 2>/dev/null; fail "$1: no window appeared (stdout [$(cat "$out")] stderr [$(cat "$err")])"; }
  sleep 0.5
  kill -0 $pid 2>/dev/null || fail "$1: the box did not wait to be closed"
  [ -s "$out" ] && fail "$1: the run went on before the box was closed"
  xdo_key "$win" "$3"
  xdo_wait_exit $pid || { kill $pid; fail "$1: still running after the box was closed"; }
  wait $pid; rc=$?
  [ $rc -eq 0 ] || fail "$1: exit code $rc"
  [ "$(cat "$out")" = "$4" ] || fail "$1: stdout [$(cat "$out")] expected [$4]"
  [ "$(cat "$err")" = "$5" ] || fail "$1: stderr [$(cat "$err")] expected [$5]"
  rm -f "$out" "$err"
  echo "ok: $1"
}

run_case message "ERROR: 100% done" Return "after" "ERROR: 100% done"
run_case notice "a notice" Return "after" ""
run_case question "Sure?" Escape "question=0
after" ""
run_case question "Sure?" Return "question=1
after" ""
run_case input "Name?" Escape "input=[]
after" ""
# The Messages window has no key of its own: its Quit button is clicked.
out=$(mktemp)
"$probe" big "line a

line b" >"$out" 2>/dev/null &
pid=$!
win=$(xdo_wait_window $pid Messages) || { kill $pid 2>/dev/null; fail "big: no Messages window"; }
sleep 0.5
kill -0 $pid 2>/dev/null || fail "big: the window did not wait for Quit"
xdotool mousemove --window "$win" 275 545 click 1
xdo_wait_exit $pid || { kill $pid; fail "big: still running after Quit"; }
wait $pid || fail "big: exit code $?"
[ "$(cat "$out")" = "after" ] || fail "big: stdout [$(cat "$out")]"
rm -f "$out"
echo "ok: big"
echo "all box cases passed"
