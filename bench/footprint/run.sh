#!/usr/bin/env bash
# run.sh [--app PATH] [--build DIR] [--out DIR]
# The app's idle footprint against conky and against minimal Qt windows, all
# side by side on one private desktop: Xvfb 1920x1080 + openbox + picom
# (xrender), private session and system buses, UPower (python3-dbusmock) with
# one mouse, a fake sysfs battery and a local weather service. Each round
# starts, each in a fresh home:
#   conky     bench/footprint/conky.conf (clock with seconds, battery, text; 1 s)
#   app-3     the app: clock, weather and battery, medium, transparent glass
#   app-4     the app: all four widgets, medium (music idle: no player)
#   anchor-4  anchor-windows --windows 4 (static translucent windows)
#   battery, music  the app with that widget alone, medium (music idle)
# closes each app's control panel as a user would (the window manager's close),
# waits WARMUP s and measures all of them in the same WINDOW s (meter.py).
# Before the rounds, STARTS runs each (alternating) of exec to widgets mapped:
# app-4, anchor-windows with one window and with four (map-watch).
# Prints medians and the ratios of the goals; exits 0 when everything ran.
#   ROUNDS (3), WINDOW (60 s), WARMUP (10 s), STARTS (15)
#   --app PATH  the pellix-widget to measure (default BUILD/src/app/pellix-widget)
#   --build DIR where anchor-windows and map-watch are built (default build)
#   --out DIR   keep the raw figures, homes and logs there
set -u
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
build=$src/build app='' out=''
usage() { sed -n '2,/^set -u/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
while [ $# -gt 0 ]; do
  case $1 in
    --app) [ $# -ge 2 ] || usage; app=$2; shift 2 ;;
    --build) [ $# -ge 2 ] || usage; build=$2; shift 2 ;;
    --out) [ $# -ge 2 ] || usage; out=$2; shift 2 ;;
    *) usage ;;
  esac
done
build=$(cd "$build" 2>/dev/null && pwd) || { echo "no build directory (make build first)" >&2; exit 1; }
app=$(readlink -f "${app:-$build/src/app/pellix-widget}")
anchor=$build/bench/footprint/anchor-windows
watch=$build/bench/footprint/map-watch
rounds=${ROUNDS:-3} window=${WINDOW:-60} warmup=${WARMUP:-10} starts=${STARTS:-15}
python=/usr/bin/python3
for f in "$app" "$anchor" "$watch"; do
  [ -x "$f" ] || { echo "not built: $f (make build)" >&2; exit 1; }
done
for t in Xvfb openbox picom conky dbus-daemon gdbus xdotool wmctrl xprop $python; do
  command -v "$t" >/dev/null || { echo "missing: $t (bash scripts/install-deps.sh all)" >&2; exit 1; }
done

tmp=$(mktemp -d /tmp/pxfp.XXXXXX)  # short: unix socket paths are limited to 107 bytes
results=${out:-$tmp/results}
mkdir -p "$results"
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill -TERM "${pids[i]}" 2>/dev/null; done
  sleep 0.3
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
fail() { echo "footprint: $*" >&2; exit 1; }
wait_for() {  # SECONDS CMD...
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ $SECONDS -ge $deadline ] && return 1; sleep 0.1; done
}

# The desktop. Xvfb picks a free display itself.
exec {dfd}<> <(:)
Xvfb -displayfd "$dfd" -screen 0 1920x1080x24 -nolisten tcp >"$results/xvfb.log" 2>&1 &
xvfb=$!; pids+=("$xvfb")
n=
read -r -t 10 n <&"$dfd"
exec {dfd}>&-
[ -n "$n" ] || fail "Xvfb did not start"
export DISPLAY=:$n
wait_for 10 xdpyinfo || fail "Xvfb does not answer"
start_bus() {  # KIND -> DBUS_ADDRESS
  local out
  sed "s|@SOCK@|$tmp/$1-bus|" "$src/scripts/dbus/$1-bus.conf.in" >"$tmp/$1-bus.conf"
  out=$(dbus-daemon --config-file="$tmp/$1-bus.conf" --fork --nosyslog --print-address=1 --print-pid=1) || return 1
  pids+=("$(echo "$out" | sed -n 2p)")
  DBUS_ADDRESS=$(echo "$out" | sed -n 1p)
}
start_bus system || fail "system bus did not start"
export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_ADDRESS
start_bus session || fail "session bus did not start"
export DBUS_SESSION_BUS_ADDRESS=$DBUS_ADDRESS
openbox --sm-disable >"$results/openbox.log" 2>&1 &
pids+=($!)
wait_for 10 xprop -root _NET_SUPPORTING_WM_CHECK || fail "openbox did not start"
# Now and then picom cannot open a display that answers everyone else: try again.
for _ in 1 2 3; do
  picom --backend xrender --config /dev/null >>"$results/picom.log" 2>&1 &
  picom=$!; pids+=("$picom")
  wait_for 10 "$src/scripts/compositor-running.py" && break
  kill "$picom" 2>/dev/null
done
"$src/scripts/compositor-running.py" || fail "picom did not start: $(tail -1 "$results/picom.log")"

# The sources: a laptop charging at 64 % with a mouse at 42 %, and the weather
# services' answers from a local server.
# shellcheck disable=SC1091
. "$src/scripts/battery-peers.sh"
fake_power_supply "$tmp/sys"
start_upower_mock "$results/upower.log" || fail "UPower mock did not start"
add_upower_accessory mouse_dev_1 5 "Magic Mouse" 42.0 || fail "could not add the mouse"
port=$($python -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
$python -m http.server "$port" --bind 127.0.0.1 --directory "$src/tests/system/services" >"$results/http.log" 2>&1 &
pids+=($!)
wait_for 10 $python -c "import socket; socket.create_connection(('127.0.0.1',$port),1)" || fail "no local HTTP server"
export PELLIX_IPLOCATION_URL=http://127.0.0.1:$port PELLIX_GEOCODING_URL=http://127.0.0.1:$port \
       PELLIX_FORECAST_URL=http://127.0.0.1:$port PELLIX_POWER_SUPPLY_ROOT=$tmp/sys/class/power_supply \
       PELLIX_BATTERY_SOURCE=linux
unset QT_QPA_PLATFORM QT_LOGGING_RULES PELLIX_MUSIC_SOURCE

# home NAME [X,]Y WIDGET...: a fresh home whose settings switch the widgets on,
# medium, in a row from (X or 40, Y).
home() {
  local h=$results/$1 y=${2#*,} x=40 w json='{"glass-theme": "transparent"'
  [[ $2 == *,* ]] && x=${2%,*}
  shift 2
  mkdir -p "$h/config" "$h/data" "$h/cache" "$h/state" "$h/run" && chmod 700 "$h/run"
  for w in "$@"; do
    json+=", \"widget.$w.enabled\": true, \"widget.$w.size\": \"medium\""
    json+=", \"widget.$w.position\": \"{\\\"x\\\":$x,\\\"y\\\":$y}\""
    x=$((x + 380))
  done
  echo "$json}" >"$h/config/group.com.pellixwidget.json"
}
# in_home NAME CMD...: runs CMD (exec'd by env: same pid) with the home's HOME and XDG_* directories.
in_home() {
  local h=$results/$1
  shift
  env HOME="$h" XDG_CONFIG_HOME="$h/config" XDG_DATA_HOME="$h/data" XDG_CACHE_HOME="$h/cache" \
    XDG_STATE_HOME="$h/state" XDG_RUNTIME_DIR="$h/run" "$@"
}
# launch NAME CMD...: starts CMD in the background in NAME's home; its pid in $launched.
launch() {
  local name=$1 h=$results/$1
  shift
  env HOME="$h" XDG_CONFIG_HOME="$h/config" XDG_DATA_HOME="$h/data" XDG_CACHE_HOME="$h/cache" \
    XDG_STATE_HOME="$h/state" XDG_RUNTIME_DIR="$h/run" "$@" </dev/null >"$results/$name.log" 2>&1 &
  launched=$!; pids+=("$launched")
}
visible() {  # PID NAME-REGEX -> the visible windows' ids
  xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null
}
widgets_shown() {  # PID COUNT
  [ "$(visible "$1" '^(clock|weather|battery|music)$' | wc -l)" -ge "$2" ]
}
panel_gone() {  # PID
  ! visible "$1" '^PellixWidget Control Panel$'
}
# settle PID COUNT: waits for the app's COUNT widgets, then closes its control panel.
settle() {
  local panel
  wait_for 20 widgets_shown "$1" "$2" ||
    fail "pid $1: fewer than $2 widgets shown"
  wait_for 20 visible "$1" '^PellixWidget Control Panel$' || fail "pid $1: no control panel"
  for panel in $(visible "$1" '^PellixWidget Control Panel$'); do wmctrl -i -c "$panel"; done
  wait_for 10 panel_gone "$1" || fail "pid $1: control panel still shown"
}
stop() {  # PID...
  kill -TERM "$@" 2>/dev/null
  for p in "$@"; do wait "$p" 2>/dev/null; done
}

echo "footprint: $app on :$n, $starts start-ups, $rounds x $window s (warm-up $warmup s); load $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# Exec to mapped, alternating; the first run of each only warms the caches.
four=(clock weather battery music)
: >"$results/startup.txt"
for ((i = 0; i <= starts; i++)); do
  home "start-$i" 40 "${four[@]}"
  a=$(in_home "start-$i" "$watch" 4 clock,weather,battery,music "$app") || fail "start-up $i: $a"
  one=$("$watch" 1 anchor "$anchor" --windows 1) || fail "anchor start-up $i"
  all=$("$watch" 4 anchor "$anchor" --windows 4) || fail "anchor start-up $i"
  if [ "$i" -gt 0 ]; then
    echo "app $a" >>"$results/startup.txt"
    echo "anchor ${one% *} ${all#* }" >>"$results/startup.txt"
  fi
  rm -rf "${results:?}/start-$i"
done

for ((r = 1; r <= rounds; r++)); do
  home "r$r-conky" 0
  home "r$r-app-3" 40 clock weather battery
  home "r$r-app-4" 300 "${four[@]}"
  home "r$r-anchor-4" 560
  home "r$r-battery" 800,820 battery
  home "r$r-music" 1180,820 music
  launch "r$r-conky" conky -c "$here/conky.conf"; conky=$launched
  launch "r$r-app-3" "$app"; app3=$launched
  launch "r$r-app-4" "$app"; app4=$launched
  launch "r$r-anchor-4" "$anchor" --windows 4 --pos 40,820; anchor4=$launched
  launch "r$r-battery" "$app"; battery=$launched
  launch "r$r-music" "$app"; music=$launched
  settle "$app3" 3
  settle "$app4" 4
  settle "$battery" 1
  settle "$music" 1
  sleep "$warmup"
  shared=data/group.com.pellixwidget/widget-data.json
  $python "$here/meter.py" sample "$window" conky=$conky \
    "app-3=$app3=$results/r$r-app-3/$shared" "app-4=$app4=$results/r$r-app-4/$shared" \
    "anchor-4=$anchor4" "battery=$battery" "music=$music" \
    "Xvfb=$xvfb" "picom=$picom" >"$results/round-$r.json" || fail "meter failed"
  echo "round $r of $rounds done; load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
  stop "$conky" "$app3" "$app4" "$anchor4" "$battery" "$music"
done

$python "$here/meter.py" report "$results"
