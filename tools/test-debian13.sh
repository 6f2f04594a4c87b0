#!/usr/bin/env bash
# test-debian13.sh [prepare]: the README's test command on Debian 13, as a new user runs it.
# Makes a Debian 13 root with debootstrap in build/debian13/ (once; kept between runs), puts
# a clean clone of this commit in it and runs `bash tools/test.sh` there, unchanged.
# prepare: only makes the root and installs what tools/setup-debian.sh installs, so that CI
# can do it while the host's tests run. Needs root. Unmounts all it mounted, however it ends.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
leg=$repo/build/debian13
root=$leg/root
mirror=http://deb.debian.org/debian
# Downloaded packages outlive the build tree and the clone here, but are only ever a cache.
cache=/var/cache/wexa-debian13
# Displays of their own: the host's sessions take theirs from 90-120, and X's abstract
# sockets, unlike its socket files, are shared with the host.
displays=200-239

mkdir -p "$leg" "$cache/debootstrap" "$cache/apt"
exec 8>"$leg/lock"
flock 8

mounted=()
# Ends what still runs inside the root (a test's Xvfb or wineserver after Ctrl-C), keeps the
# packages it downloaded, then unmounts in reverse order.
leave_root() {
  local pid i
  for pid in /proc/[0-9]*; do
    [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "${pid#/proc/}" 2>/dev/null || true
  done
  cp -n "$root"/var/cache/apt/archives/*.deb "$cache/apt/" 2>/dev/null || true
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"
  done
  mounted=()
}
trap leave_root EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mount_in_root() { # mount_in_root TARGET MOUNT-ARGS...
  mount "${@:2}" "$root$1"
  mounted+=("$root$1")
}

# What a killed run, or an interrupted debootstrap, left mounted: never removed with the root.
{ findmnt -rn -o TARGET | grep "^$root/" || true; } | sort -r | while read -r target; do umount -l "$target"; done
if [ ! -f "$root/.made" ]; then
  # The host's set-up does not need debootstrap, so this leg brings its own.
  command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends debootstrap
  rm -rf "$root"
  echo "Making a Debian 13 root in $root (once)"
  debootstrap --variant=minbase --cache-dir="$cache/debootstrap" \
    --keyring=/usr/share/keyrings/debian-archive-trixie-stable.gpg trixie "$root" "$mirror"
  touch "$root/.made"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount_in_root /proc -t proc proc
mount_in_root /sys -t sysfs sysfs
mount_in_root /dev --bind /dev
mount_in_root /dev/pts --bind /dev/pts
mount_in_root /dev/shm -t tmpfs tmpfs
# Copied in and back rather than shared: apt locks its archive folder, and other clones' roots
# may install at the same time.
cp -n "$cache"/apt/*.deb "$root/var/cache/apt/archives/" 2>/dev/null || true

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin WEXA_DISPLAYS=$displays "$@"
}

rm -rf "$root/src"
git clone -q --no-checkout "$repo" "$root/src"
git -C "$root/src" checkout -q --detach "$(git -C "$repo" rev-parse HEAD)"
if [ "${1:-}" = prepare ]; then
  in_root bash -c 'cd /src && bash tools/setup-debian.sh'
else
  in_root bash -c 'cd /src && bash tools/test.sh'
fi
