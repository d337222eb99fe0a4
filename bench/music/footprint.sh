#!/usr/bin/env bash
# footprint.sh BUILD_DIR [WINDOW_SECONDS] [ROUNDS]
# CPU of the app with only the now-playing widget (medium) against the floor
# of meter-baseline (one translucent window, cached panel, four bars every
# 0.15 s), all in one private Xvfb + openbox + picom: the CPU time of all the
# program's threads (/proc/PID/task/*/schedstat, nanoseconds) over
# WINDOW_SECONDS (default 60) after 5 s of warm-up:
#   baseline        meter-baseline, bars jumping
#   eased-baseline  meter-baseline --eased, bars easing at 30 frames a second
#   music-playing   the app while mpv plays (meter running)
#   before-playing  with BEFORE_APP set: that build of the app, likewise
#   music-paused    the app while mpv is paused (meter stopped)
#   battery         the app with only the battery widget (medium; sysfs + UPower)
# ROUNDS (default 1) repeats them in turn. Prints one line per run and, per
# round, music-playing/eased-baseline and before-playing/baseline.
set -u
build=$(cd "${1:?build dir}" && pwd); window=${2:-60}; rounds=${3:-1}
src=$(cd "$(dirname "$0")/../.." && pwd)
app=$build/src/app/pellix-widget
baseline=$build/bench/music/meter-baseline
tmp=$(mktemp -d /tmp/pxmf.XXXXXX); pids=()
trap 'for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$tmp"' EXIT

exec {dfd}<> <(:)
Xvfb -displayfd "$dfd" -screen 0 1440x900x24 -s 0 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 10 n <&"$dfd" || { echo "Xvfb did not start" >&2; exit 1; }
exec {dfd}>&-
export DISPLAY=:$n
openbox --sm-disable >/dev/null 2>&1 & pids+=($!)
picom --backend xrender --config /dev/null >/dev/null 2>&1 & pids+=($!)
sleep 1

. "$src/scripts/music-peers.sh"
. "$src/scripts/battery-peers.sh"
start_session_bus "$tmp" || exit 1
sed "s|@SOCK@|$tmp/system-bus|" "$src/scripts/dbus/system-bus.conf.in" >"$tmp/system-bus.conf"
out=$(dbus-daemon --config-file="$tmp/system-bus.conf" --fork --nosyslog --print-address=1 --print-pid=1) || exit 1
pids+=("$(echo "$out" | sed -n 2p)")
export DBUS_SYSTEM_BUS_ADDRESS=$(echo "$out" | sed -n 1p)
start_upower_mock "$tmp/upower.log" || exit 1
add_upower_accessory mouse_dev_1 5 "Magic Mouse" 42.0
fake_power_supply "$tmp/sys"
export PELLIX_POWER_SUPPLY_ROOT=$tmp/sys/class/power_supply PELLIX_BATTERY_SOURCE=linux
unset PELLIX_MUSIC_SOURCE
start_mpv "$tmp" || { echo "mpv did not start" >&2; exit 1; }

# Nanoseconds on CPU of every thread alive now (the clock-tick counts of
# /proc/PID/stat are too coarse: 0.2 % of a core over 60 s is 12 ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'; }
# measure LABEL CMD...: starts CMD, waits 5 s, prints its CPU over the window as % of one core.
measure() {
  local label=$1 pid t0 t1 pct; shift
  "$@" >/dev/null 2>&1 &
  pid=$!
  sleep 5
  t0=$(cpu_ns "$pid"); sleep "$window"; t1=$(cpu_ns "$pid")
  kill "$pid"; wait "$pid" 2>/dev/null
  pct=$(awk -v d=$((t1 - t0)) -v w="$window" 'BEGIN { printf "%.3f", d / 1e9 / w * 100 }')
  echo "$label cpu=$pct% window=${window}s" >&2
  echo "$pct"
}
# app WIDGET SIZE [BINARY]: the app in a fresh home with only that widget switched on.
app() {
  local home=$tmp/home-$RANDOM
  mkdir -p "$home/config" -m 700 "$home/run"
  echo "{\"widget.$1.enabled\": true, \"widget.$1.size\": \"$2\"}" >"$home/config/group.com.pellixwidget.json"
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run exec "${3:-$app}"
}
ratio() { awk -v p="$2" -v b="$3" -v r="$r" -v l="$1" 'BEGIN { printf "round %d %s = %.2f\n", r, l, p / b }' >&2; }

for ((r = 1; r <= rounds; r++)); do
  base=$(measure "round $r baseline" "$baseline" --pos 1080,700)
  eased=$(measure "round $r eased-baseline" "$baseline" --pos 1080,700 --eased)
  playing=$(measure "round $r music-playing" app music medium)
  if [ -n "${BEFORE_APP:-}" ]; then
    before=$(measure "round $r before-playing" app music medium "$BEFORE_APP")
    ratio "before-playing/baseline" "$before" "$base"
  fi
  mpris_call mpv PlayPause
  measure "round $r music-paused" app music medium >/dev/null
  mpris_call mpv PlayPause
  measure "round $r battery" app battery medium >/dev/null
  ratio "music-playing/eased-baseline" "$playing" "$eased"
done
