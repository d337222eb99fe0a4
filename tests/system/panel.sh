#!/usr/bin/env bash
# The control panel of the real app driven through the accessibility bus
# (AT-SPI), as a screen reader or a GUI test tool would, under the test X
# server: switching a widget on, resizing one, the city search, and the
# panel's window hints across closing and reopening. panel_atspi.py does the
# driving; this script sets up the home, the services and the app.
# Usage: panel.sh <path-to-pellix-widget>   (PANEL_SCREENSHOTS=dir keeps panel-widgets.png and panel-settings.png)
set -u
app=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d /tmp/pxpanel.XXXXXX)
pids=()
cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill -TERM "${pids[i]}" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || { echo "needs the private buses of scripts/test-env.sh" >&2; exit 1; }

export HOME=$root XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data XDG_CACHE_HOME=$root/cache \
       XDG_STATE_HOME=$root/state XDG_RUNTIME_DIR=$root/run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME" -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
wait_for() {  # SECONDS CMD...
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ $SECONDS -ge $deadline ] && return 1; sleep 0.1; done
}

# The weather services: one local server with their answers (the geocoder always finds Milano).
port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
/usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$here/services" >"$root/http.log" 2>&1 &
pids+=($!)
wait_for 10 /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1',$port),1)" \
  || { echo "local HTTP server did not start" >&2; exit 1; }
export PELLIX_IPLOCATION_URL=http://127.0.0.1:$port PELLIX_GEOCODING_URL=http://127.0.0.1:$port \
       PELLIX_FORECAST_URL=http://127.0.0.1:$port

# The accessibility bus and registry on the private session bus; Qt's bridge on without a desktop setting.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$root/atspi.log" 2>&1 &
pids+=($!)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
[ -n "${PANEL_SCREENSHOTS:-}" ] && hsetroot -add '#1f4e79' -add '#6a3d7a' -gradient 135 >/dev/null 2>&1
"$app" >"$root/app.log" 2>&1 &
pids+=($!)

PANEL_SETTINGS=$XDG_CONFIG_HOME/group.com.pellixwidget.json PANEL_APP=$app \
  /usr/bin/python3 "$here/panel_atspi.py"
status=$?
[ $status -eq 0 ] || { echo "--- app log"; cat "$root/app.log"; }
exit $status
