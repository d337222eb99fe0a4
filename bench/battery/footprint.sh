#!/usr/bin/env bash
# footprint.sh BUILD_DIR [WINDOW_SECONDS]
# CPU, RSS and wakeups of the battery widget (medium, transparent) refreshing
# every 4 s from the Linux source (fake sysfs tree + python3-dbusmock's UPower on
# a private system bus), then of the same widget on fixed readings, each under its
# own Xvfb + openbox + picom through the shared footprint meter.
set -u
build=$(cd "${1:?build dir}" && pwd); window=${2:-60}
src=$(cd "$(dirname "$0")/../.." && pwd)
meter=${MEASURE_FOOTPRINT:-$src/../shared/tools/measure-footprint.sh}
tool=$build/tools/render-battery/render-battery
tmp=$(mktemp -d /tmp/pxf.XXXXXX); pids=()
trap 'for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null; done; rm -rf "$tmp"' EXIT

. "$src/scripts/battery-peers.sh"
fake_power_supply "$tmp"
ps=$tmp/class/power_supply
sed "s|@SOCK@|$tmp/system-bus|" "$src/scripts/dbus/system-bus.conf.in" >"$tmp/bus.conf"
dbus-daemon --config-file="$tmp/bus.conf" --nofork --nosyslog --print-address=1 >"$tmp/bus.addr" &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/bus.addr" ] && break; sleep 0.02; done
export DBUS_SYSTEM_BUS_ADDRESS=$(head -1 "$tmp/bus.addr")
start_upower_mock "$tmp/upower.log"
for d in "mouse_hid_1 5 Magic_Mouse 42" "headphones_dev_2 19 AirPods_Pro 15" "watch_dev_3 26 Apple_Watch 88"; do
  set -- $d
  add_upower_accessory "$1" "$2" "${3//_/ }" "$4.0"
done

for n in $(seq 70 89); do [ -e /tmp/.X11-unix/X$n ] || break; done
PELLIX_BATTERY_SOURCE=linux PELLIX_POWER_SUPPLY_ROOT=$ps \
  bash "$meter" -c -d ":$n" -w "$window" -l "battery-medium-linux-source" "$tool" --size medium
bash "$meter" -c -d ":$n" -w "$window" -l "battery-medium-fixed" "$tool" --size medium --fixed
