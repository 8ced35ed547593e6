#!/usr/bin/env bash
# A short fuzz run of the .gt reader:
#   fuzz_run.sh FUZZ_BINARY [SECONDS [CRASH_DIR]]
# The seed corpus is the examples and the test fixtures. An input that makes
# the target fail is left in CRASH_DIR (build/fuzz-crashes/ by default) and
# the script fails: once fixed, keep it in tests/grafcet/data/fuzz/, where
# the normal suite replays it.
set -euo pipefail
binary=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
crashes=${3:-$root/build/fuzz-crashes}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$crashes"
cp "$root"/examples/*.gt "$root"/tests/grafcet/data/*.gt "$work/corpus/"
cp "$root"/tests/grafcet/data/fuzz/* "$work/corpus/" 2>/dev/null || true
# A seed with a name and a receptivity of 20 000 characters each, so that
# mutations start from long tokens (the length cap lets them grow to MBs).
long_word=$(head -c 20000 /dev/zero | tr '\0' N)
long_condition=$(printf 'a%.0s and ' $(seq 3333))a
printf 'Name: %s\nInput:\n "a" : bool\nEndInput:\nOutput:\nEndOutput:\nStep:\n IS: 1 0 0\nEndStep:\nTransition:\n 1 0 2 FR: (0) TO: (0) : "%s"\nEndTransition:\nLink:\nEndLinkTable:\nAssertion:\nEndAssertion:\n' \
  "$long_word" "$long_condition" >"$work/corpus/long_tokens.gt"
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=1
"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4194304 \
  -dict="$root/tests/grafcet/gt.dict" -print_final_stats=0 \
  -artifact_prefix="$crashes/" "$work/corpus" 2>"$work/fuzz.err" || {
  tail -60 "$work/fuzz.err" >&2
  echo "fuzz: the .gt reader failed; the input is in $crashes/" >&2
  exit 1
}
grep -E '^Done|^#[0-9]+ *DONE' "$work/fuzz.err" | tail -1 || true
