#!/usr/bin/env bash
# Runs the README's two commands on a fresh minimal Debian 12, as a newcomer
# would: builds a root with debootstrap, clones this repository into it (what
# is committed, not the work tree) and runs `setup.sh run`, then
# `setup.sh test`, inside a chroot. Rerun it whenever the package list in
# setup.sh changes. Needs root and the network to the Debian package source
# of this machine's apt configuration (found by apt_source.sh); takes ten
# minutes or more, so it is not part of the CI run.
#   fresh_machine_check.sh [--keep] [DIR]
# DIR, empty or missing, receives the root (default: a new folder under
# /var/tmp). The root is removed at the end unless --keep is given; the two
# commands' output is kept beside it in DIR.run.txt and DIR.test.txt.
set -euo pipefail
keep=0
if [ "${1:-}" = --keep ]; then keep=1; shift; fi
repo=$(cd "$(dirname "$0")/.." && pwd)

[ "$(id -u)" = 0 ] || { echo "fresh_machine_check: must run as root" >&2; exit 2; }
mirror=$(bash "$repo/scripts/apt_source.sh") || exit 2
if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -q \
    --no-install-recommends debootstrap
fi
if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
  echo "fresh_machine_check: uncommitted changes are not checked" >&2
fi

root=${1:-$(mktemp -d /var/tmp/tarvek-fresh.XXXXXX)}
mkdir -p "$root"
root=$(cd "$root" && pwd)
[ -z "$(ls -A "$root")" ] || { echo "fresh_machine_check: $root is not empty" >&2; exit 2; }

mounts=()
cleanup() {
  local ok=1 i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    # A process of the suite may still be ending: wait for it a little.
    umount "${mounts[i]}" 2>/dev/null || { sleep 5; umount "${mounts[i]}"; } ||
      umount -l "${mounts[i]}" || ok=0
  done
  # Never remove a folder that something is still mounted in.
  if [ $keep = 0 ] && [ $ok = 1 ] && ! grep -q " $root/" /proc/self/mounts; then
    rm -rf --one-file-system "$root"
  else
    echo "fresh_machine_check: the root is left in $root" >&2
  fi
}
trap cleanup EXIT
mount_in() {  # mount_in TARGET mount-arguments...
  local target=$root/$1; shift
  mount "$@" "$target"
  mounts+=("$target")
}

echo "=== debootstrap --variant=minbase bookworm $root $mirror"
start=$SECONDS
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.txt" 2>&1 || {
  tail -30 "$root.debootstrap.txt" >&2
  exit 1
}
echo "=== debootstrap: $((SECONDS - start)) s"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount_in proc -t proc proc
mount_in sys -t sysfs sysfs
mount_in dev --bind /dev
mount_in dev/pts --bind /dev/pts

git clone -q "$repo" "$root/root/tarvek"
echo "=== cloned $(git -C "$root/root/tarvek" log -1 --format='%h %s')"

# in_root LABEL [unshare options...]: runs `bash scripts/setup.sh LABEL` in
# the clone, with a clean environment, and reports its time.
in_root() {
  local label=$1 start rc=0; shift
  start=$SECONDS
  echo "=== bash scripts/setup.sh $label"
  unshare "$@" -- chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/tarvek && bash scripts/setup.sh $label" >"$root.$label.txt" 2>&1 || rc=$?
  tail -25 "$root.$label.txt"
  echo "=== setup.sh $label: exit code $rc after $((SECONDS - start)) s (output: $root.$label.txt)"
  return $rc
}
status=0
in_root run || status=1
# The suite's X servers get a network namespace of their own, so that their
# abstract sockets never meet those of a server on the host; everything it
# needs is installed by then.
in_root test --net || status=1
echo "=== fresh machine check: $([ $status = 0 ] && echo passed || echo FAILED)"
exit $status
