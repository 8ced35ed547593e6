#!/usr/bin/env bash
# Both modes on charts with loops of unguarded transitions: rings of N steps
# whose transitions each read an input of their own (with every input true
# a reaction runs round for ever: both modes refuse them), and shapes that
# the equational mode compiles (the cycle whose last transition also asks
# "not a0", and rings cut on their own input).
#
#   bench/boucles.sh TARVEK [LIMIT_SECONDS]
#
# One row per chart and mode: exit code (124 when stopped at the limit,
# 60 s by default), CPU seconds (user and system), peak memory, and the
# first line of the message or "compiled". The charts are written by the
# benchmarks of BUILD (build/release by default); MODES="equational" leaves
# the default mode out (it is the same in two builds that differ only in
# the equational mode).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  sed -n '8p' "$0" >&2
  exit 2
fi
tarvek=$(realpath "$1")
limit=${2:-60}
build=$(realpath "${BUILD:-build/release}")
modes=${MODES:-equational default}
work=$(mktemp -d /tmp/boucles.XXXXXX)
trap 'rm -rf "$work"' EXIT
unset DISPLAY

run() {
  local name=$1 mode=$2
  case " $modes " in
    *" ${mode#-} "* | *" ${mode:-default} "*) ;;
    *) return 0 ;;
  esac
  local opts=(-c)
  [ "$mode" = "-equational" ] && opts+=(-equational)
  local code=0
  (cd "$work" && timeout "$limit" /usr/bin/time -f "%U %S %M" -o time.txt \
    "$tarvek" "$name.gt" "${opts[@]}" > out.txt 2> err.txt) || code=$?
  local what
  if [ "$code" = 0 ]; then
    what=compiled
  elif [ "$code" = 124 ]; then
    what="stopped after $limit s"
  else
    what=$(grep -v 'demande$' "$work/err.txt" | grep -v '^$' | head -1)
  fi
  local cpu mem
  if [ -s "$work/time.txt" ] && [ "$code" != 124 ]; then
    read -r user sys kb < <(tail -1 "$work/time.txt")
    cpu=$(awk "BEGIN { print $user + $sys }")
    mem="$((kb / 1024)) MB"
  else
    cpu="> $limit"
    mem=""
  fi
  rm -f "$work/time.txt"
  echo "| $name | ${mode:-default} | $code | $cpu | $mem | $what |"
}

echo "| chart | mode | exit | CPU (s) | memory | result |"
echo "|---|---|---:|---:|---:|---|"
for n in 8 12 16 32 64 256; do
  "$build/bench/bench_recherche" --gt ring 1 "$n" > "$work/ring_$n.gt"
  run "ring_$n" -equational
  run "ring_$n" ""
done
"$build/bench/bench_recherche" --gt cycle 1 2048 > "$work/cycle_2048.gt"
run cycle_2048 -equational
for size in "1 2048" "256 8" "1024 2"; do
  name="rings_${size// /x}"
  "$build/bench/bench_make_sortable" --gt $size > "$work/$name.gt"
  run "$name" -equational
done
