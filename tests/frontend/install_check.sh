#!/usr/bin/env bash
# cmake --install puts tarvek in bin/ under the prefix, and the installed
# binary prints the CMake project's version.
#   install_check.sh CMAKE BUILD_DIR SCRATCH_DIR VERSION
set -u
cmake=$1 build=$2 scratch=$3 version=$4
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$scratch"
"$cmake" --install "$build" --prefix "$scratch" >/dev/null || fail "cmake --install"
[ -x "$scratch/bin/tarvek" ] || fail "no $scratch/bin/tarvek"
out=$("$scratch/bin/tarvek" -v) || fail "tarvek -v exited with code $?"
expected="tarvek : compilateur grafcet vers sc. version $version, BDD version 4.7"
[ "$out" = "$expected" ] || fail "tarvek -v printed '$out', not '$expected'"
# The tests are not installed.
extra=$(cd "$scratch" && find . -type f ! -path ./bin/tarvek)
[ -z "$extra" ] || fail "installed besides bin/tarvek: $extra"
echo "installed: $scratch/bin/tarvek"
