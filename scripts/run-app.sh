#!/usr/bin/env bash
# Starts the app on the user's desktop, or says what to do when there is none.
set -u
app=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'TXT'
PellixWidget is a desktop app and there is no desktop here: neither DISPLAY nor
WAYLAND_DISPLAY is set.

Run `make run` from a terminal inside your graphical session (X11, or Wayland
with XWayland). On a headless machine you can still look at it under a virtual
display:

    Xvfb :5 -screen 0 1440x900x24 & openbox --sm-disable & DISPLAY=:5 make run

The app itself is built at: build/src/app/pellix-widget
TXT
  exit 1
fi
exec "$app"
