# Shell helpers of the window tests, sourced by scripts that run under
# xvfb-run -a. There is no window manager: focus is set by hand and keys are
# sent through XTEST to the focused window.

# xdo_wait_window PID [NAME]: prints the id of the first visible window of PID
# (whose title matches NAME when given), waiting up to 30 s.
xdo_wait_window() {
  local pid=$1 name=${2:-} win=""
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || { echo "process $pid has ended" >&2; return 1; }
    if [ -n "$name" ]; then
      win=$(xdotool search --all --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | head -n 1)
    else
      win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1)
    fi
    [ -n "$win" ] && { echo "$win"; return 0; }
    sleep 0.1
  done
  return 1
}

# xdo_key WINDOW KEY...: focuses the window and types the keys.
xdo_key() {
  local win=$1; shift
  sleep 0.2
  xdotool windowfocus --sync "$win" >/dev/null 2>&1
  xdotool key "$@"
}

# xdo_wait_exit PID: waits up to 30 s for PID to end; fails if it does not.
xdo_wait_exit() {
  for _ in $(seq 1 300); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# xdo_wait_box PID MAIN: prints the id of a visible window of PID other than
# MAIN (a message box or a chooser), waiting up to 30 s; fails at once when
# PID has ended.
xdo_wait_box() {
  local pid=$1 main=$2 w
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || return 1
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      [ "$w" != "$main" ] && { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
