#!/usr/bin/env bash
# Writes on the standard output a .gt file that stresses the reader:
#   large_gt.sh name N          a module name of N characters
#   large_gt.sh receptivity N   a receptivity "a and a and ..." of N characters
#   large_gt.sh steps N         N steps with distinct numbers and places
# Each is a valid grafcet that passes the checks.
set -euo pipefail
kind=${1:-}
n=${2:-}
case "$kind" in name|receptivity|steps) ;; *) echo "usage: $0 name|receptivity|steps N" >&2; exit 2 ;; esac
[[ "$n" =~ ^[0-9]+$ ]] || { echo "$0: N must be a number" >&2; exit 2; }

name=demo
condition=a
steps=' IS: 1 0 0
 NS: 2 0 4'
case "$kind" in
  name) name=$(head -c "$n" /dev/zero | tr '\0' N) ;;
  receptivity) condition=$(awk -v n="$n" 'BEGIN { s = "a"; while (length(s) + 6 <= n) s = s " and a"; print s }') ;;
  steps) steps=$(awk -v n="$n" 'BEGIN { for (k = 1; k <= n; ++k) printf " %s: %d %d %d\n", k == 1 ? "IS" : "NS", k, (k - 1) % 1000, 4 * int((k - 1) / 1000) }') ;;
esac
cat <<EOF
Name: $name
Input:
  "a" : bool
EndInput:
Output:
EndOutput:
Step:
$steps
EndStep:
Transition:
  1 1001 2 FR: (0) TO: (1) : "$condition",
  2 1001 6 FR: (1) TO: (0) : "a"
EndTransition:
Link:
EndLinkTable:
Assertion:
EndAssertion:
EOF
