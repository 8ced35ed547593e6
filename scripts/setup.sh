#!/usr/bin/env bash
# Sets up a Debian machine for tarvek and builds it.
#   setup.sh run   install what is missing, build tarvek in build/run/ and
#                  compile a bundled example in build/demo/
#   setup.sh test  install what is missing, run the whole suite in an
#                  optimised build and in an ASan+UBSan build, then fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
case "$mode" in run|test) ;; *) echo "usage: $0 run|test" >&2; exit 2 ;; esac

# Every package the build, the tests and the demo need, by name: apt runs
# without recommended packages, so nothing may be left to a recommendation.
# Add a tool's packages here, one a line.
packages=(
  # the build
  cmake
  ninja-build
  g++
  flex
  libfl-dev          # FlexLexer.h, only recommended by flex
  bison
  libfltk1.3-dev
  libx11-dev
  libbdd-dev         # BuDDy, which the BDD benchmark measures against
  # the tests
  libgtest-dev
  xvfb               # the window tests' own X server
  xauth              # used by xvfb-run, only recommended by xvfb
  xdotool
  imagemagick        # screenshots of the window tests
  qpdf               # the PDF tests: qpdf --check
  poppler-utils      # the PDF tests: pdftoppm and pdftotext
  ghostscript        # the PDF and PostScript tests of the text viewer
  gcc-avr            # the Arduino tests: avr-g++ builds every generated sketch
  avr-libc           # the AVR headers and libraries, only suggested by gcc-avr
  arduino-core-avr   # the Arduino tests: sketches built and linked with the core, as the IDE
                     # does (it depends on gcc-avr and avr-libc)
  ghdl               # the VHDL tests: analysis, elaboration and runs
  yosys              # the BLIF tests: yosys reads every generated file
  mono-mcs           # the C# tests: mcs builds every generated class
  mono-runtime       # the C# tests: mono runs them
  libsystemc-dev     # the SystemC tests: g++ builds every generated module
  texlive-latex-base          # the LaTeX documentation tests: pdflatex
  texlive-latex-recommended   # the float package of the LaTeX documents
  texlive-fonts-recommended   # the times package of the LaTeX documents
  texlive-lang-french         # babel's french, which the LaTeX documents load
  # the fuzz run
  clang-14
  libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Another apt run may hold a lock: each command waits for it, up to ten
# minutes. The install does so by itself; the update has no such option for
# the lock of the package lists, so it is tried again while that lock is
# taken.
apt_lock_wait=600
apt_update() {
  local deadline=$((SECONDS + apt_lock_wait)) out
  until out=$(apt-get update -qq 2>&1); do
    if ! grep -q 'Could not get lock' <<<"$out" || [ $SECONDS -ge $deadline ]; then
      echo "$out" >&2
      return 1
    fi
    sleep 5
  done
  [ -z "$out" ] || echo "$out" >&2
}
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt_update
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=$apt_lock_wait install -y -qq \
    --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

if [ "$mode" = run ]; then
  # A folder of its own: the suite's builds keep their tests.
  build build/run -DCMAKE_BUILD_TYPE=Release -DTARVEK_TESTS=OFF
  out=build/demo
  mkdir -p "$out"
  cp examples/traffic_light.gt "$out/"
  rc=0
  (cd "$out" && env -u DISPLAY ../run/frontend/tarvek traffic_light.gt -explain -c -vhdl -blif) || rc=$?
  echo "--- the files of $out"
  ls -l "$out"
  echo "--- $out/traffic_light.log"
  cat "$out/traffic_light.log"
  echo "--- tarvek exited with code $rc"
  exit $rc
fi

export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for variant in release asan; do
  if [ $variant = release ]; then
    build build/release -DCMAKE_BUILD_TYPE=Release -DTARVEK_TESTS=ON
  else
    build build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEK_SANITIZE=ON -DTARVEK_TESTS=ON
  fi
  echo "=== tests: $variant build"
  # A round that finds no test has tested nothing: it fails.
  (cd build/$variant && env -u DISPLAY ctest --output-on-failure --no-tests=error -j "$jobs" --timeout 600) || status=1
done
echo "=== fuzz: the .gt reader"
build_fuzz() {
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang-14 \
    -DCMAKE_CXX_COMPILER=clang++-14 -DTARVEK_SANITIZE=ON -DTARVEK_FUZZ=ON >/dev/null &&
    cmake --build build/fuzz -j "$jobs" --target fuzz_gt
}
{ build_fuzz && bash tests/grafcet/fuzz_run.sh build/fuzz/tests/grafcet/fuzz_gt 60; } || status=1
exit $status
