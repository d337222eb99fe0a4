#!/usr/bin/env bash
# Installs the Debian packages the build, the app and the tests need.
# Idempotent and quiet when everything is present.
set -euo pipefail

packages=(
  # build
  cmake g++ make ccache pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libxcb1-dev libxcb-shape0-dev libxcb-xfixes0-dev libgl-dev
  libgtest-dev libgmock-dev
  # what the app draws with
  fonts-inter fonts-noto-color-emoji fonts-material-design-icons-iconfont
  # test services: X server, window manager, compositor, tray host, D-Bus peers, X tools
  xvfb openbox picom trayer xdotool x11-utils x11-xserver-utils wmctrl imagemagick hsetroot
  dbus python3 python3-dbusmock python3-dbus python3-gi zsh libglib2.0-bin
  mpv mpv-mpris sox libsox-fmt-all
  # accessibility: the bus and registry, and the client the panel test drives it with
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  # fuzzing and benchmarks
  clang-14 libclang-rt-14-dev conky-std
)

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
