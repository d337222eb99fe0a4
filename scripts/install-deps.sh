#!/usr/bin/env bash
# install-deps.sh [run|package|all]
# Installs the Debian packages a task needs, quietly and only those missing:
#   run      build and run the app, the widget extension and its host
#   package  run, and what `make package` builds the .deb with
#   all      (the default) everything, the tests included
set -euo pipefail

run=(
  # build
  cmake g++ make ccache pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libxcb1-dev libxcb-shape0-dev libxcb-xfixes0-dev libxcb-screensaver0-dev libgl-dev
  # translations: LinguistTools for CMake, lupdate and lrelease
  qt6-tools-dev qt6-l10n-tools
  # what the app draws with
  fonts-inter fonts-noto-color-emoji fonts-material-design-icons-iconfont
)
package=(
  # dpkg-shlibdeps for the package's dependencies
  dpkg-dev
)
tests=(
  libgtest-dev libgmock-dev
  # test services: X server, window manager, compositor, tray host, D-Bus peers, X tools
  xvfb openbox picom trayer xdotool x11-utils x11-xserver-utils wmctrl imagemagick hsetroot
  dbus python3 python3-dbusmock python3-dbus python3-gi zsh libglib2.0-bin
  mpv mpv-mpris sox libsox-fmt-all
  # accessibility: the bus and registry, and the client the panel test drives it with
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  # install and package checks: desktop entries, AppStream, lintian, icon sizes, a fresh Debian root
  desktop-file-utils appstream lintian librsvg2-bin debootstrap
  # fuzzing (the release's own clang and its libFuzzer runtime) and benchmarks
  clang libclang-rt-dev conky-std
)

# Debian 12 and 13 are built and tested; the names above are the same on both
# (the t64 renames in 13 touch only run-time libraries, which the -dev packages
# and the .deb's dpkg-shlibdeps dependencies pull in by their own names).
release=$(. /etc/os-release 2>/dev/null && echo "${ID:-}-${VERSION_ID:-}")
case $release in
  debian-12) ;;
  # Debian 13 (Qt 6.8) also builds the native Wayland widgets: LayerShellQt for
  # Qt 6, and at run time Qt's Wayland platform plug-in and LayerShellQt's shell
  # integration, which no linker asks for; KF6 WindowSystem for KWin's blur behind
  # them. Its tests run them under headless sway, labwc and KWin (kwin-wayland:
  # about 100 MB and half a minute of apt more), and KWin's blur protocol
  # (plasma-wayland-protocols) is added to sway for the blur requests.
  debian-13)
    run+=(liblayershellqtinterface-dev libwayland-dev qt6-wayland layer-shell-qt libkf6windowsystem-dev)
    tests+=(sway labwc kwin-wayland plasma-wayland-protocols grim libwayland-bin gcc) ;;
  *) echo "install-deps: ${release:-this system} is not Debian 12 or 13; trying the Debian names" >&2 ;;
esac

case "${1:-all}" in
  run) packages=("${run[@]}") ;;
  package) packages=("${run[@]}" "${package[@]}") ;;
  all) packages=("${run[@]}" "${package[@]}" "${tests[@]}") ;;
  *) echo "usage: $0 [run|package|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
