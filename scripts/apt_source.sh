#!/usr/bin/env bash
# Prints the address of this machine's Debian 12 (bookworm) package source,
# as its own apt configuration gives it, for debootstrap: the first enabled
# "deb" entry whose suite is bookworm, in the deb822 files
# (sources.list.d/*.sources, field URIs:) and then in the one-line files
# (sources.list, sources.list.d/*.list). Fails, saying where it looked,
# when there is none.
#   apt_source.sh [APT_DIR]    (default /etc/apt)
set -euo pipefail
dir=${1:-/etc/apt}
suite=bookworm

# Paragraphs are entries; "#" begins a comment line; a line that begins
# with a blank continues the field above it.
deb822() {
  awk -v suite="$suite" '
    function has(list, word,  a, n, i) {
      n = split(list, a, /[ \t]+/)
      for (i = 1; i <= n; i++) if (a[i] == word) return 1
      return 0
    }
    BEGIN { RS = ""; FS = "\n" }
    {
      delete f
      last = ""
      for (i = 1; i <= NF; i++) {
        line = $i
        if (line ~ /^#/) continue
        if (line ~ /^[ \t]/) { if (last != "") f[last] = f[last] " " line; continue }
        p = index(line, ":")
        if (p == 0) continue
        last = tolower(substr(line, 1, p - 1))
        f[last] = substr(line, p + 1)
      }
      if (tolower(f["enabled"]) ~ /no/) next
      if (!has(f["types"], "deb") || !has(f["suites"], suite)) next
      n = split(f["uris"], u, /[ \t]+/)
      for (i = 1; i <= n; i++) if (u[i] != "") { print u[i]; exit }
    }' "$@"
}

# deb [options] URI suite components...
one_line() {
  awk -v suite="$suite" '
    { sub(/#.*/, "") }
    $1 != "deb" { next }
    {
      k = 2
      if ($2 ~ /^\[/) { while (k < NF && $k !~ /\]$/) k++; k++ }
      if ($(k + 1) == suite) { print $k; exit }
    }' "$@"
}

files() {  # files PATTERN...: those that exist, in the order given
  local f
  for f in "$@"; do [ -f "$f" ] && printf '%s\n' "$f"; done
  return 0
}

uri=""
mapfile -t sources < <(files "$dir"/sources.list.d/*.sources)
[ ${#sources[@]} -eq 0 ] || uri=$(deb822 "${sources[@]}")
if [ -z "$uri" ]; then
  mapfile -t lists < <(files "$dir/sources.list" "$dir"/sources.list.d/*.list)
  [ ${#lists[@]} -eq 0 ] || uri=$(one_line "${lists[@]}")
fi
if [ -z "$uri" ]; then
  echo "apt_source: no enabled \"deb\" source for $suite in $dir/sources.list.d/*.sources," \
    "$dir/sources.list or $dir/sources.list.d/*.list" >&2
  exit 1
fi
printf '%s\n' "$uri"
