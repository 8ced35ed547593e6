#!/usr/bin/env bash
# Writes on the standard output a .gt file of two steps whose first
# transition reads many inputs and whose second, guarded, goes back on ack:
#   wide_gt.sh any N        any of N inputs (es1 or ... or esN)
#   wide_gt.sh all N        all of N inputs (g1 and ... and gN)
#   wide_gt.sh atleast M N  at least M of N inputs, as an or of and-terms
#   wide_gt.sh xor N        an odd number of N inputs, as an or of minterms
set -euo pipefail
kind=${1:-}
case "$kind" in any|all|xor) [ $# -eq 2 ] ;; atleast) [ $# -eq 3 ] ;; *) false ;; esac ||
  { echo "usage: $0 any|all|xor N, or $0 atleast M N" >&2; exit 2; }
for n in "${@:2}"; do
  [[ "$n" =~ ^[0-9]+$ ]] && [ "$n" -ge 1 ] || { echo "$0: counts must be numbers from 1" >&2; exit 2; }
done
m=0
n=$2
if [ "$kind" = atleast ]; then m=$2; n=$3; fi
[ "$m" -le "$n" ] || { echo "$0: M must not exceed N" >&2; exit 2; }
awk -v kind="$kind" -v m="$m" -v n="$n" '
function choose(first, left, term,   i) {
  if (left == 0) { cond = cond (cond == "" ? "" : " or ") "(" term ")"; return }
  for (i = first; i <= n - left + 1; ++i)
    choose(i + 1, left - 1, term (term == "" ? "" : " and ") x[i])
}
BEGIN {
  prefix = kind == "any" ? "es" : kind == "all" ? "g" : kind == "xor" ? "x" : "s"
  for (i = 1; i <= n; ++i) x[i] = prefix i
  if (kind == "any" || kind == "all") {
    for (i = 1; i <= n; ++i) cond = cond (i > 1 ? (kind == "any" ? " or " : " and ") : "") x[i]
  } else if (kind == "atleast") {
    choose(1, m, "")
  } else {
    for (b = 0; b < 2 ^ n; ++b) {
      term = ""; odd = 0
      for (i = 1; i <= n; ++i) {
        on = int(b / 2 ^ (i - 1)) % 2
        odd += on
        term = term (i > 1 ? " and " : "") (on ? "" : "not ") x[i]
      }
      if (odd % 2) cond = cond (cond == "" ? "" : " or ") "(" term ")"
    }
  }
  print "Name: wide"
  print "Input:"
  for (i = 1; i <= n; ++i) printf "  \"%s\" : bool\n", x[i]
  print "  \"ack\" : bool"
  print "EndInput:"
  print "Output:"
  print "  \"lamp\" : bool"
  print "EndOutput:"
  print "Step:"
  print "  IS: 1 5 2"
  print "  NS: 2 5 6 Action: 0 \"N\" : \"1\" EndAction:"
  print "EndStep:"
  print "Transition:"
  printf "  1 5 4 FR: (0) TO: (1) : \"%s\",\n", cond
  print "  2 5 8 FR: (1) TO: (0) : \": ack\""
  print "EndTransition:"
  print "Link:"
  print "EndLinkTable:"
  print "Assertion:"
  print "EndAssertion:"
}'
