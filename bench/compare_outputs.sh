#!/usr/bin/env bash
# Runs two builds of tarvek on the same grafcets with the same options and
# reports every difference in what they leave behind: exit code, standard
# output, standard error and every file written (the log and the
# documentation without their CPU-time line). A change meant to speed
# tarvek up must leave all of it identical.
#
#   bench/compare_outputs.sh OLD_TARVEK NEW_TARVEK [RANDOM_COUNT [FIRST_SEED]]
#
# The grafcets: the examples, RANDOM_COUNT random grafcets of the tests
# (2000 by default, written by the test build's ecrit_grafcets_aleatoires)
# and small members of the generated families of the benchmarks. The
# programs are taken from BUILD (build/release by default); JOBS runs at
# once (4 by default). A case that differs keeps its two folders under the
# work folder, whose name is printed; it exits with 1 when any case differs.
#
# An old build to compare with, from a given commit:
#   git worktree add /tmp/tarvek-old COMMIT
#   cmake -S /tmp/tarvek-old -B /tmp/tarvek-old/build -G Ninja -DCMAKE_BUILD_TYPE=Release
#   cmake --build /tmp/tarvek-old/build -j4 --target tarvek
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 2 ]; then
  sed -n '8,9p' "$0" >&2
  exit 2
fi
old=$(realpath "$1")
new=$(realpath "$2")
count=${3:-2000}
first=${4:-1}
build=$(realpath "${BUILD:-build/release}")
jobs=${JOBS:-4}

unset DISPLAY
work=$(mktemp -d /tmp/compare_outputs.XXXXXX)
mkdir -p "$work/gt" "$work/runs" "$work/probe"

# The targets that both builds write in a mode: a target without a writer
# stops the run before any comparison could see its file.
all_targets="-sc -brimot -lustre -esterel -blif -vune -intern -c -ino -vhdl -altera -doc"
written_targets() {
  local mode=$1 t bin kept=""
  cp examples/traffic_light.gt "$work/probe/"
  for t in $all_targets; do
    local ok=1
    for bin in "$old" "$new"; do
      local said
      # shellcheck disable=SC2086
      said=$(cd "$work/probe" && timeout 60 "$bin" traffic_light.gt $mode "$t" < /dev/null 2>&1 || true)
      case $said in *"not available yet"*) ok=0 ;; esac
    done
    [ $ok = 1 ] && kept="$kept $t"
  done
  echo "$kept"
}
targets=$(written_targets "")
targets_equational=$(written_targets -equational)
echo "targets compared:$targets; with -equational:$targets_equational"
option_sets=(
  "-explain"
  "-explain -step -show"
  "-explain -O2 -simul"
  "-equational -explain"
  "-explain -O2 $targets"
  "-equational -explain -O1 $targets_equational"
  "-step -show $targets"
  "-equational -simul -O2 $targets_equational"
)
cp examples/*.gt "$work/gt/"
"$build/tests/compiler/ecrit_grafcets_aleatoires" "$work/gt" "$first" "$count"
# Small members of the benchmark families, whose reactions split on many
# inputs and whose equations hold combinational loops.
for f in "cycle 1 5" "cycle 1 7" "branches 2 3" "branches 3 2"; do
  set -- $f
  "$build/bench/bench_recherche" --gt "$@" > "$work/gt/family_$1_$2_$3.gt"
done
for f in "3 2" "2 5" "1 12"; do
  set -- $f
  "$build/bench/bench_make_sortable" --gt "$@" > "$work/gt/rings_$1_$2.gt"
done

# One grafcet under every option set, run by both builds in folders of
# their own. Addresses that the dumps of the equational mode print differ
# from run to run: they are left out of the comparison.
compare_grafcet() {
  local gt=$1 base i=0 opts side bin text
  base=$(basename "$gt" .gt)
  text=$(< "$gt")
  for opts in "${option_sets[@]}"; do
    i=$((i + 1))
    local dir="$work/runs/$base.$i"
    mkdir -p "$dir/old" "$dir/new"
    for side in old new; do
      printf '%s\n' "$text" > "$dir/$side/$base.gt"
      bin=$old
      [ $side = new ] && bin=$new
      # shellcheck disable=SC2086
      local rc=0
      (cd "$dir/$side" && exec timeout 120 "$bin" "$base.gt" $opts > stdout 2> stderr < /dev/null) || rc=$?
      echo $rc > "$dir/$side/exit_code"
    done
    sed -i -e '/^CPU computing time: /d' -e '/^Temps CPU de compilation: /d' \
        -e 's/0x[0-9a-f]\{6,\}/0xADDRESS/g' "$dir"/old/* "$dir"/new/*
    if diff -r "$dir/old" "$dir/new" > "$dir/diff" 2>&1; then
      rm -rf "$dir"
    else
      echo "DIFFERS: $base.gt $opts ($dir)"
    fi
  done
}
export -f compare_grafcet
export old new work
export option_sets_text
option_sets_text=$(printf '%s\n' "${option_sets[@]}")

ls "$work"/gt/*.gt | xargs -P "$jobs" -n 1 bash -c \
  'mapfile -t option_sets <<< "$option_sets_text"; compare_grafcet "$0"' | tee "$work/differences"

grafcets=$(ls "$work/gt" | wc -l)
differ=$(wc -l < "$work/differences")
echo "$((grafcets * ${#option_sets[@]})) cases ($grafcets grafcets x ${#option_sets[@]} option sets), $differ differ; work folder $work"
if [ "$differ" -ne 0 ]; then exit 1; fi
rm -rf "$work"
