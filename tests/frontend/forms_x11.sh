#!/usr/bin/env bash
# The forms windows opened by the forms_windows program under a real X
# server and driven with xdotool as a user would; the PDF that the viewer
# hands to its external viewer is checked with qpdf and Ghostscript.
# Run through xvfb-run -a.
#   forms_x11.sh FORMS_WINDOWS SCRATCH_DIR
set -u
prog=$1 scratch=$2
. "$(dirname "$0")/../common/xdo.sh"
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$scratch" && mkdir -p "$scratch"

click_at() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.2
}

start() {  # case-name args...: starts the program in its own folder
  dir=$scratch/$1; shift; mkdir -p "$dir"
  (cd "$dir" && exec "$prog" "$@" >"$dir/stdout" 2>"$dir/stderr") &
  pid=$!
}

finish() {  # case-name expected-stdout
  xdo_wait_exit $pid || { kill $pid; fail "$1: still running"; }
  wait $pid; local rc=$?
  [ $rc -eq 0 ] || fail "$1: exit code $rc (stderr: $(cat "$dir/stderr"))"
  [ "$(cat "$dir/stdout")" = "$2" ] || fail "$1: stdout [$(cat "$dir/stdout")] expected [$2]"
}

shot() { import -window root "$scratch/$1.png" 2>/dev/null; }

# 1. The viewer: next page, a page typed in the field, the text export and
#    its message, the PDF export through an external viewer, CANCEL.
start viewer viewer 1 "$scratch/viewer/pdf viewer"
cat >"$scratch/viewer/pdf viewer" <<'VIEWER'
#!/bin/sh
cp "$1" seen.pdf
VIEWER
chmod +x "$scratch/viewer/pdf viewer"
parent=$(xdo_wait_window $pid forms_windows) || fail "viewer: no parent window"
win=$(xdo_wait_box $pid "$parent") || fail "viewer: no viewer window"
sleep 0.5
shot viewer
click_at "$win" 360 640                    # next page
shot viewer-page2
click_at "$win" 170 655
xdotool key ctrl+a BackSpace; xdotool type --delay 20 "1"
click_at "$win" 200 655                    # go
click_at "$win" 800 655                    # text file
box=$(xdo_wait_box $pid "$win") || fail "viewer: no message after the text export"
[ "$box" != "$parent" ] || box=$(xdo_wait_box $pid "$parent")
xdo_key "$box" Return
sleep 0.3
click_at "$win" 550 655                    # pdf file
click_at "$win" 85 655                     # CANCEL
finish viewer "page 1"
[ -s "$dir/tmp.txt" ] || fail "viewer: no tmp.txt"
[ -f "$dir/tmp.pdf" ] && fail "viewer: tmp.pdf left after the viewer ended"
[ -s "$dir/seen.pdf" ] || fail "viewer: the external viewer saw no tmp.pdf"
qpdf --check "$dir/seen.pdf" >"$dir/qpdf.out" 2>&1 || fail "viewer: qpdf --check: $(cat "$dir/qpdf.out")"
grep -qi "warning" "$dir/qpdf.out" && fail "viewer: qpdf warns: $(cat "$dir/qpdf.out")"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage "$dir/seen.pdf" >"$dir/gs.out" 2>&1 ||
  fail "viewer: Ghostscript: $(cat "$dir/gs.out")"
[ -s "$dir/gs.out" ] && fail "viewer: Ghostscript complains: $(cat "$dir/gs.out")"
echo "ok: viewer"

# 2. The input panel: a Signal tick, GO, then the panel closed from the
#    keyboard as from its frame: the waiting loop must end.
start inputs inputs
win=$(xdo_wait_window $pid "Inputs Pannel") || fail "inputs: no panel"
sleep 0.5
click_at "$win" 60 40                      # Signal of the first input
shot inputs
click_at "$win" 210 220                    # GO
click_at "$win" 40 220                     # INIT
xdo_key "$win" Escape
finish inputs "go 1 0 0 0
init
quit"
echo "ok: inputs"

# 3. The output panel: two pages back with "-", then closed.
start outputs outputs
win=$(xdo_wait_window $pid "Outputs") || fail "outputs: no panel"
sleep 0.5
shot outputs
click_at "$win" 40 225
click_at "$win" 40 225
shot outputs-page1
xdo_key "$win" Escape
finish outputs "page 1"
echo "ok: outputs"

# 4. The drawing sheet and 5. the wait window: shown, then gone.
start sheet sheet
win=$(xdo_wait_window $pid sheet) || fail "sheet: no window"
sleep 0.5
shot sheet
xdo_key "$win" Escape
finish sheet ""
echo "ok: sheet"

start wait wait
xdo_wait_window $pid "travail en cours" >/dev/null || fail "wait: no window"
sleep 0.3
shot wait
finish wait ""
echo "ok: wait"
echo "all forms window scenarios passed"
