#!/usr/bin/env bash
# The real app with live sources under the test X server: weather from a local
# HTTP server with the services' answers, the computer's battery from a fake
# sysfs tree, accessories from UPower (python3-dbusmock) on the private system
# bus. The widgets must publish what those sources say; then, with the weather
# services unreachable, the app must keep running and publish no weather.
# Usage: live_sources.sh <path-to-pellix-widget>   (PELLIX_SCREENSHOT=file.png keeps a screenshot)
set -u
app=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d /tmp/pxlive.XXXXXX)
pids=()
cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill -TERM "${pids[i]}" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
[ -n "${DBUS_SYSTEM_BUS_ADDRESS:-}" ] || { echo "needs the private buses of scripts/test-env.sh" >&2; exit 1; }

export HOME=$root XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data XDG_CACHE_HOME=$root/cache \
       XDG_RUNTIME_DIR=$root/run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
shared=$XDG_DATA_HOME/group.com.pellixwidget/widget-data.json
echo '{"widget.weather.enabled": true, "widget.battery.enabled": true, "widget.battery.size": "medium",
       "widget.clock.enabled": true, "widget.clock.size": "medium", "widget.clock.style": "digital"}' \
  >"$XDG_CONFIG_HOME/group.com.pellixwidget.json"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
wait_for() {  # SECONDS CMD...
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ $SECONDS -ge $deadline ] && return 1; sleep 0.1; done
}
# published EXPR: a Python expression over the shared record `d` is true.
published() {
  /usr/bin/python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); sys.exit(0 if eval(sys.argv[2]) else 1)' \
    "$shared" "$1"
}

# Weather services: one local server answers all three paths.
port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
/usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$here/services" >"$root/http.log" 2>&1 &
pids+=($!)
wait_for 10 /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1',$port),1)" \
  || { echo "local HTTP server did not start" >&2; exit 1; }

# The computer charging at 64 % on mains; a Magic Mouse at 42 % on UPower.
. "$here/../../scripts/battery-peers.sh"
fake_power_supply "$root/sys"
ps=$root/sys/class/power_supply
start_upower_mock "$root/upower.log" || { echo "UPower mock did not start" >&2; exit 1; }
add_upower_accessory mouse_dev_1 5 "Magic Mouse" 42.0 || { echo "could not add the mouse" >&2; exit 1; }

export PELLIX_IPLOCATION_URL=http://127.0.0.1:$port PELLIX_GEOCODING_URL=http://127.0.0.1:$port \
       PELLIX_FORECAST_URL=http://127.0.0.1:$port PELLIX_POWER_SUPPLY_ROOT=$ps PELLIX_BATTERY_SOURCE=linux
"$app" >"$root/app.log" 2>&1 &
app_pid=$!; pids+=($app_pid)

if wait_for 20 published 'd.get("weather",{}).get("temp") == 6.3 and d["weather"].get("code") == 3'; then
  ok "the weather from the local services is published"
else
  fail "weather not published: $(cat "$shared" 2>/dev/null)"
fi
devices='[(x["id"], x["percent"], x["charging"]) for x in d.get("battery", [])]'
if wait_for 20 published "$devices == [('macbook', 64, True), ('magic-mouse', 42, False)]"; then
  ok "the computer's battery and the UPower mouse are published"
else
  fail "battery list not as expected: $(cat "$shared" 2>/dev/null)"
fi
published 'd.get("clockStyle") == "digital"' && ok "the clock style is published" || fail "no clock style"
for name in clock weather battery; do
  xdotool search --onlyvisible --name "^$name\$" >/dev/null && ok "$name window shown" || fail "no $name window"
done
if [ -n "${PELLIX_SCREENSHOT:-}" ]; then  # for the README: a wallpaper, the panel closed
  hsetroot -add '#1f4e79' -add '#6a3d7a' -gradient 135 >/dev/null 2>&1
  wmctrl -c 'PellixWidget Control Panel'
  sleep 1.5 && import -window root "$PELLIX_SCREENSHOT"
fi

# A percentage changed on the bus shows at the next 4-second refresh.
upower_call SetDeviceProperties /org/freedesktop/UPower/devices/mouse_dev_1 "{'Percentage': <17.0>}"
wait_for 10 published '[x["percent"] for x in d["battery"] if x["id"] == "magic-mouse"] == [17]' \
  && ok "a changed accessory level is published at the next refresh" || fail "mouse level not refreshed"
kill -TERM $app_pid; wait $app_pid 2>/dev/null

# No weather service at all: the app keeps running and publishes no weather.
rm -f "$shared"
export PELLIX_IPLOCATION_URL=http://127.0.0.1:9 PELLIX_FORECAST_URL=http://127.0.0.1:9
"$app" >>"$root/app.log" 2>&1 &
app_pid=$!; pids+=($app_pid)
wait_for 10 published '"battery" in d' || fail "no battery refresh without the network"
sleep 1
if kill -0 $app_pid 2>/dev/null && published '"weather" not in d'; then
  ok "without the weather services the app runs on and publishes no weather"
else
  fail "app died or published weather without services"
fi

[ $failures -eq 0 ] || { echo "--- app log"; cat "$root/app.log"; exit 1; }
echo "all live-source checks passed"
