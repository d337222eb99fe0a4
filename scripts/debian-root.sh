#!/usr/bin/env bash
# debian-root.sh: Debian roots made with debootstrap and cached in the build folder.
#   base RELEASE           prints the cached minbase tarball of RELEASE (12 or 13),
#                          making it first if needed (the package test's fresh roots)
#   run RELEASE [CMD...]   runs CMD (default: a shell) as root in build/debian-RELEASE-root,
#                          made from that tarball on first use and kept; inside it the
#                          repository is at /src (the working directory), with /proc, /sys,
#                          /dev, a tmpfs on /dev/shm and the host's resolv.conf
#   remove RELEASE         removes that root (refused while anything is mounted in it)
#   check                  whether roots can run here; if not, says why in one line
# Needs root. The mounts live in a private mount namespace, so they never show
# in the host's tree and go with the last process, however it ends; a trap also
# unmounts them in order. Compiler caches of builds inside the root stay in the
# build folder (build/ccache-debian-RELEASE). PELLIX_DEBIAN_MIRROR: the mirror.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
mirror=${PELLIX_DEBIAN_MIRROR:-http://deb.debian.org/debian}
cache=$repo/build/debian-root

codename() {
  case $1 in
    12) echo bookworm ;;
    13) echo trixie ;;
    *) echo "debian-root: unknown Debian release '$1' (12 or 13)" >&2; exit 2 ;;
  esac
}
need_root() { [ "$(id -u)" -eq 0 ] || { echo "debian-root: needs root (debootstrap, chroot)" >&2; exit 77; }; }
# The mount namespace run needs: refused in an unprivileged container; in a
# chroot / is no mount point, so its propagation cannot be made private.
check() {
  local why
  why=$(unshare --mount --propagation private true 2>&1) || { echo "debian-root: ${why##*$'\n'}" >&2; exit 77; }
}

# Nothing may be removed under a directory something is mounted in: a bind
# mount of /dev or of the repository would take the host's files with it.
mounted_under() { awk -v d="$1/" 'index($2 "/", d) == 1 { found = 1 } END { exit !found }' /proc/mounts; }
safe_remove() {
  if mounted_under "$1"; then echo "debian-root: still mounted under $1, not removing it" >&2; exit 1; fi
  rm -rf --one-file-system "$1"
}

# The minbase tarball of a release, made once (serialised by a lock).
base() {
  local name tar
  name=$(codename "$1"); tar=$cache/$name-minbase.tar
  mkdir -p "$cache"
  exec {lock}>"$cache/$name.lock"
  flock "$lock"
  if [ ! -f "$tar" ]; then
    local work=$cache/$name.part started=$SECONDS
    [ -e "$work" ] && safe_remove "$work"
    if ! debootstrap --variant=minbase "$name" "$work" "$mirror" >"$cache/$name-debootstrap.log" 2>&1; then
      tail -5 "$cache/$name-debootstrap.log" >&2
      echo "debian-root: debootstrap of $name from $mirror failed" >&2
      exit 1
    fi
    tar -C "$work" -cf "$tar.part" . && mv "$tar.part" "$tar"
    safe_remove "$work"
    echo "debian-root: debootstrap $name: $((SECONDS - started)) s (cached in $tar)" >&2
  fi
  exec {lock}>&-
  echo "$tar"
}

# The kept root of a release: unpacked from the tarball, told not to start
# services (no init in a chroot), its compiler cache outside it.
ensure_root() {
  local release=$1 dir=$2 tar
  [ -f "$dir/.pellix-root" ] && return 0
  tar=$(base "$release")
  exec {lock}>"$dir.lock"
  flock "$lock"
  if [ ! -f "$dir/.pellix-root" ]; then
    [ -e "$dir.part" ] && safe_remove "$dir.part"
    mkdir -p "$dir.part"
    tar -C "$dir.part" -xf "$tar"
    printf '#!/bin/sh\nexit 101\n' >"$dir.part/usr/sbin/policy-rc.d"
    chmod 755 "$dir.part/usr/sbin/policy-rc.d"
    mkdir -p "$dir.part/src"
    touch "$dir.part/.pellix-root"
    mv "$dir.part" "$dir"
    echo "debian-root: made $dir" >&2
  fi
  exec {lock}>&-
}

run() {
  local release=$1 dir=$repo/build/debian-$1-root; shift
  codename "$release" >/dev/null
  ensure_root "$release" "$dir"
  mkdir -p "$repo/build/ccache-debian-$release"
  # Once in a namespace of our own, mount, chroot, unmount.
  exec unshare --mount --propagation private -- "$0" _inside "$release" "$dir" "$@"
}

inside() {
  local release=$1 dir=$2; shift 2
  mounts=()
  unmount_all() {
    for ((i=${#mounts[@]}-1; i>=0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
  }
  trap unmount_all EXIT
  trap 'exit 130' INT TERM
  bind() { mount "$@"; mounts+=("${@: -1}"); }
  bind -t proc proc "$dir/proc"
  bind -t sysfs sysfs "$dir/sys"
  bind --bind /dev "$dir/dev"
  bind --bind /dev/pts "$dir/dev/pts"
  bind -t tmpfs -o mode=1777,nosuid,nodev shm "$dir/dev/shm"
  bind --bind "$repo" "$dir/src"
  cp -L /etc/resolv.conf "$dir/etc/resolv.conf" 2>/dev/null || true
  [ $# -gt 0 ] || set -- bash
  # A clean environment: only what a login would give, and CI's marker.
  # Not exec: the trap unmounts once the command is done.
  chroot "$dir" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" ${CI:+CI=$CI} \
    CCACHE_DIR=/src/build/ccache-debian-$release CCACHE_BASEDIR=/src \
    /bin/sh -c 'cd /src && exec "$@"' sh "$@"
}

case "${1:-}" in
  base) need_root; codename "${2:?release}" >/dev/null; base "$2" ;;
  run) need_root; check; shift; run "${1:?release}" "${@:2}" ;;
  check) need_root; check ;;
  remove) need_root; codename "${2:?release}" >/dev/null; safe_remove "$repo/build/debian-$2-root" ;;
  _inside) shift; inside "$@" ;;
  *) sed -n '2,14s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
esac
