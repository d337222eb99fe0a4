#!/usr/bin/env bash
# The Debian packages: built by CPack from the build tree, the program's and
# the SDK's (-dev) together holding what `cmake --install` holds under /usr, its dependencies from dpkg-shlibdeps
# plus the fonts, accepted by lintian; then installed with apt into a fresh
# root of this machine's Debian release (scripts/debian-root.sh's debootstrap
# tarball, cached in the build folder) where the programs run and the app
# opens its control panel on the test X server.
# Needs root (chroot) and the Debian mirror; exits 77 (skipped) without them.
# Usage: debian_package.sh <path-to-pellix-widget>   (PELLIX_BUILD_DIR: the build tree)
set -u
build=${PELLIX_BUILD_DIR:?set PELLIX_BUILD_DIR to the build tree}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/support/harness.sh"
release=$(. /etc/os-release && echo "$VERSION_ID")

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$root/pkg" >"$root/cpack.log" 2>&1 \
  || { cat "$root/cpack.log"; exit 1; }
deb=$(ls "$root"/pkg/pellix-widget_*.deb)
dev=$(ls "$root"/pkg/pellix-widget-dev_*_all.deb)
field() { dpkg-deb -f "$deb" "$1"; }
contents() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' | LC_ALL=C sort; }
contents "$deb" >"$root/contents"
contents "$dev" >"$root/dev-contents"
check "the packages hold the installed files under /usr" cmp "$here/support/installed-files.txt" \
  <(LC_ALL=C sort "$root/contents" "$root/dev-contents")
check "the -dev package holds the SDK: headers, CMake package, guide and example" cmp "$root/dev-contents" \
  <(grep -E '^(include/|share/cmake/|share/doc/pellix-widget-dev/)' "$here/support/installed-files.txt")
check "the -dev package needs Qt's and is for every architecture" \
  test "$(dpkg-deb -f "$dev" Depends)/$(dpkg-deb -f "$dev" Architecture)" = "qt6-base-dev (>= 6.4), cmake (>= 3.25)/all"
check "Qt libraries come from dpkg-shlibdeps" grep -Eq 'libqt6widgets6 \(>= [0-9.]+\)' <(field Depends)
check "the icon and emoji fonts are dependencies" grep -Eq 'fonts-material-design-icons-iconfont, fonts-noto-color-emoji' <(field Depends)
# A build with KWin's Wayland blur links KF6 WindowSystem (optional at configure time).
if grep -q '^KF6WindowSystem_DIR:PATH=/' "$build/CMakeCache.txt"; then
  check "KF6 WindowSystem comes from dpkg-shlibdeps" grep -Eq 'libkf6windowsystem6 \(>= [0-9.]+\)' <(field Depends)
fi
check "Inter is recommended" test "$(field Recommends)" = fonts-inter
check "no maintainer scripts (a private plug-in needs no ldconfig)" test -z "$(dpkg-deb -I "$deb" | grep -E 'postinst|postrm')"
lintian --no-tag-display-limit "$deb" "$dev" >"$root/lintian" 2>&1
check "lintian reports no errors" test -z "$(grep '^E:' "$root/lintian")"
grep -E '^[EW]:' "$root/lintian"

if [ "$(id -u)" -ne 0 ]; then echo "skip: a fresh Debian root needs root for chroot"; [ "$failures" = 0 ] && exit 77; exit 1; fi
if ! cache=$(bash "$repo_dir/scripts/debian-root.sh" base "$release" 2>"$root/debootstrap.log"); then
  cat "$root/debootstrap.log"; echo "skip: no fresh Debian $release root (debootstrap could not reach the mirror)"
  [ "$failures" = 0 ] && exit 77; exit 1
fi
cat "$root/debootstrap.log"
droot=$root/debian
mkdir "$droot" && tar -C "$droot" -xf "$cache"
cp "$deb" "$droot/tmp/"
started=$SECONDS
if ! chroot "$droot" apt-get update -qq >"$root/apt.log" 2>&1; then
  cat "$root/apt.log"; echo "skip: apt could not reach the Debian mirror"; [ "$failures" = 0 ] && exit 77; exit 1
fi
check "apt installs the package in a fresh Debian $release" \
  chroot "$droot" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")"
echo "apt install: $((SECONDS - started)) s"
in_root() { chroot "$droot" env -i PATH=/usr/bin:/bin HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/home "$@"; }
mkdir -m 700 "$droot/tmp/home"
check "pellix-widget --version" test "$(in_root pellix-widget --version)" = "$("$build/src/app/pellix-widget" --version)"
check "the host lists the five widgets" test "$(in_root pellix-widget-host --list | grep -c $'^\t')" = 5
check "the host renders one" in_root pellix-widget-host --render PellixBatteryWidget --family medium --out /tmp/battery.png
check "to a PNG" grep -q PNG <(head -c 8 "$droot/tmp/battery.png")
# The X server's abstract socket is reachable from the root: the app opens its panel there.
chroot "$droot" env -i PATH=/usr/bin:/bin HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/home DISPLAY="$DISPLAY" \
  pellix-widget >"$root/app.log" 2>&1 &
pids+=($!)  # chroot execs the app: this is its PID
check "the installed app opens its control panel" wait_for 20 xdotool search --onlyvisible --name '^PellixWidget Control Panel$'

finish
