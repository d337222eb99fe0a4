#!/usr/bin/env bash
# test-env.sh CMD [ARGS...]
# Runs CMD with the services the tests need, all private to this run and stopped
# afterwards (also on failure or interrupt): an Xvfb display with openbox and a
# compositor, and private system and session D-Bus buses. Exports DISPLAY,
# DBUS_SYSTEM_BUS_ADDRESS, DBUS_SESSION_BUS_ADDRESS and PELLIX_TEST_RUN (a
# scratch directory for the run). Exits with CMD's status. PELLIX_TEST_SCREEN
# (default 1440x900) sets the size of the X screen.
set -u
here=$(cd "$(dirname "$0")" && pwd)
run=$(mktemp -d /tmp/pxt.XXXXXX)   # short: unix socket paths are limited to 107 bytes
pids=()

cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill -TERM "${pids[i]}" 2>/dev/null; done
  sleep 0.3
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$run"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and writes its number once it listens:
# parallel runs never race for the same one. -noreset: when its last client
# leaves (the probe below), a display resets and drops whoever connects meanwhile.
# -s 0: no screen saver of its own after ten minutes without input, which would
# put every widget of a long run to sleep (tests raise it with xset when they mean to).
exec {dfd}<> <(:)
Xvfb -displayfd "$dfd" -screen 0 "${PELLIX_TEST_SCREEN:-1440x900}x24" -s 0 -nolisten tcp -noreset >"$run/xvfb.log" 2>&1 &
pids+=($!)
n=
read -r -t 10 n <&"$dfd"
exec {dfd}>&-
[ -n "$n" ] && DISPLAY=:$n xdpyinfo >/dev/null 2>&1 || { echo "test-env: Xvfb did not start" >&2; cat "$run/xvfb.log" >&2; exit 1; }
export DISPLAY=:$n

start_bus() {  # kind -> prints the address
  local kind=$1 conf="$run/$1-bus.conf" out
  sed "s|@SOCK@|$run/$kind-bus|" "$here/dbus/$kind-bus.conf.in" >"$conf"
  out=$(dbus-daemon --config-file="$conf" --fork --nosyslog --print-address=1 --print-pid=1) || return 1
  pids+=("$(echo "$out" | sed -n 2p)")
  DBUS_ADDRESS=$(echo "$out" | sed -n 1p)
}
start_bus system || { echo "test-env: system bus did not start" >&2; exit 1; }
export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_ADDRESS
start_bus session || { echo "test-env: session bus did not start" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS=$DBUS_ADDRESS

openbox --sm-disable >"$run/openbox.log" 2>&1 &
pids+=($!)
picom --backend xrender --config /dev/null >"$run/picom.log" 2>&1 &
pids+=($!)
# Both announce themselves through selections; wait until both are up, so that
# every test starts with the same desktop.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && "$here/compositor-running.py" && break
  sleep 0.05
done

export PELLIX_TEST_RUN=$run
"$@"
