#!/usr/bin/env bash
# screenshots.sh BUILD_DIR OUT_DIR
# Run under scripts/test-env.sh (X server, window manager, compositor, private
# system bus). Builds a fake power_supply tree, starts python3-dbusmock's UPower
# with a few accessories, shows the battery widget small and medium on the live
# Linux source (and medium opaque on fixed data), and saves one crop per variant.
set -eu
build=$1; out=$2
tool=$build/tools/render-battery/render-battery
mkdir -p "$out"
tmp=$(mktemp -d /tmp/pxs.XXXXXX); pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$tmp"' EXIT

. "$(dirname "$0")/../../scripts/battery-peers.sh"
fake_power_supply "$tmp"
ps=$tmp/class/power_supply
start_upower_mock "$tmp/upower.log"
for d in "mouse_hid_1 5 Magic_Mouse 42" "headphones_dev_2 19 AirPods_Pro 15" "watch_dev_3 26 Apple_Watch 88" \
         "keyboard_dev_4 6 Magic_Keyboard 71"; do
  set -- $d
  add_upower_accessory "$1" "$2" "${3//_/ }" "$4.0"
done
upower_call AddChargingBattery battery_BAT0 5B10W13930 64.0 "int64 3600"  # the laptop's own: not an accessory

convert -size 1440x900 gradient:'#4f86c6'-'#e0a05a' "$tmp/wall.png"
hsetroot -fill "$tmp/wall.png" >/dev/null

# name size theme fixed x y
variants=(
  "battery-small small transparent live 40 40"
  "battery-medium medium transparent live 260 40"
  "battery-medium-opaque medium opaque fixed 40 260"
  "battery-small-opaque small opaque fixed 420 260"
)
for v in "${variants[@]}"; do
  set -- $v
  extra=(); [ "$4" = fixed ] && extra=(--fixed)
  PELLIX_BATTERY_SOURCE=linux PELLIX_POWER_SUPPLY_ROOT=$ps \
    "$tool" --size "$2" --theme "$3" --computer-name "Portatile di Anna" --pos "$5,$6" "${extra[@]}" >/dev/null 2>&1 &
  pids+=($!)
done
sleep 3
import -window root "$tmp/root.png"
for v in "${variants[@]}"; do
  set -- $v
  w=170; [ "$2" = medium ] && w=340
  convert "$tmp/root.png" -crop $((w + 40))x210+$(($5 - 20))+$(($6 - 20)) +repage "$out/$1.png"
done
