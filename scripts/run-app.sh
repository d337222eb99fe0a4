#!/usr/bin/env bash
# run-app.sh --check [BUILD]   exits 1, saying what to do, when there is no display
# run-app.sh BUILD             starts the app built in BUILD on this display
# `make run` checks first, before installing or building anything.
set -u

# The first display number nobody uses here, for the virtual display of the hint;
# from 50 on, clear of the low numbers that servers started with -displayfd take
# meanwhile. A server in another root or container shows only by its abstract socket.
free_display() {
  local n=50
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || grep -qs "@/tmp/.X11-unix/X$n\$" /proc/net/unix; do
    n=$((n + 1))
  done
  echo "$n"
}

# A Wayland compositor's socket is there ($WAYLAND_DISPLAY, a name in the runtime directory or a path).
wayland_socket() {
  local s=${WAYLAND_DISPLAY:-}
  [ -n "$s" ] || return 1
  [ "${s#/}" != "$s" ] || s=${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/$s
  [ -S "$s" ]
}

# Debian 13 on builds the widgets as Wayland layer-shell surfaces (Qt 6.8, LayerShellQt).
native_wayland_release() {
  local id version
  id=$(. /etc/os-release 2>/dev/null && echo "${ID:-}") version=$(. /etc/os-release 2>/dev/null && echo "${VERSION_ID:-0}")
  [ "$id" = debian ] && [ "${version%%.*}" -ge 13 ] 2>/dev/null
}

check_display() {
  local build=$1 why make=make
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  elif wayland_socket && native_wayland_release; then
    return 0
  elif [ -n "${WAYLAND_DISPLAY:-}" ]; then
    why="this Wayland session has no XWayland (DISPLAY is not set)"
  else
    why="there is no graphical session here (neither DISPLAY nor WAYLAND_DISPLAY is set)"
  fi
  [ "$build" = build ] || make="make BUILD=$build"
  local n sudo=; n=$(free_display)
  [ "$(id -u)" -eq 0 ] || sudo="sudo "
  # Xvfb writes its number to -displayfd once it answers (its socket file comes
  # earlier); -noreset keeps it from resetting when a first client leaves. Either
  # way a window manager or compositor started meanwhile finds no display.
  cat >&2 <<TXT
PellixWidget is a desktop app and $why.

Run \`make run\` from a terminal of your desktop session (X11, or Wayland with
XWayland). Without one, start a virtual display with a window manager and a
compositor, then the app on it (Ctrl-C ends them all):

    ${sudo}apt-get install xvfb openbox picom
    Xvfb :$n -screen 0 1440x900x24 -noreset -displayfd 1 | ( read -r -t 30 || { echo "Xvfb :$n did not answer" >&2; exit 1; }; DISPLAY=:$n openbox --sm-disable & DISPLAY=:$n picom --backend xrender --config /dev/null & DISPLAY=:$n $make run )

and look at it with a screenshot: DISPLAY=:$n import -window root shot.png (imagemagick).
TXT
  return 1
}

if [ "${1:-}" = --check ]; then
  check_display "${2:-build}"
  exit
fi
build=${1:-build}
check_display "$build" || exit 1
exec "$build/src/app/pellix-widget"
