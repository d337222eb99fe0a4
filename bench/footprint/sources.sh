# Sourced by the footprint runs (run.sh on X11, wayland.sh under sway): a
# scratch directory, processes stopped on exit, private system and session
# buses, the sources (a laptop charging at 64 % with a mouse at 42 %, the
# weather services' answers from a local server) and fresh homes. The caller
# sets `src` (the repository) and `out` (where to keep the results, or empty).

tmp=$(mktemp -d /tmp/pxfp.XXXXXX)  # short: unix socket paths are limited to 107 bytes
results=${out:-$tmp/results}
mkdir -p "$results"
python=/usr/bin/python3
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

start_bus() {  # KIND -> DBUS_ADDRESS
  local out
  sed "s|@SOCK@|$tmp/$1-bus|" "$src/scripts/dbus/$1-bus.conf.in" >"$tmp/$1-bus.conf"
  out=$(dbus-daemon --config-file="$tmp/$1-bus.conf" --fork --nosyslog --print-address=1 --print-pid=1) || return 1
  pids+=("$(echo "$out" | sed -n 2p)")
  DBUS_ADDRESS=$(echo "$out" | sed -n 1p)
}
start_sources() {
  start_bus system || fail "system bus did not start"
  export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_ADDRESS
  start_bus session || fail "session bus did not start"
  export DBUS_SESSION_BUS_ADDRESS=$DBUS_ADDRESS
  # shellcheck disable=SC1091
  . "$src/scripts/battery-peers.sh"
  fake_power_supply "$tmp/sys"
  start_upower_mock "$results/upower.log" || fail "UPower mock did not start"
  add_upower_accessory mouse_dev_1 5 "Magic Mouse" 42.0 || fail "could not add the mouse"
  # logind with the session every app follows, locked for the locked measurement.
  $python -m dbusmock --template logind --system >"$results/logind.log" 2>&1 &
  pids+=($!)
  wait_for 10 login_call /org/freedesktop/login1 org.freedesktop.DBus.Mock.AddSession c1 seat0 'uint32 0' root true ||
    fail "logind mock did not start"
  export XDG_SESSION_ID=c1
  local port
  port=$($python -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  $python -m http.server "$port" --bind 127.0.0.1 --directory "$src/tests/system/services" >"$results/http.log" 2>&1 &
  pids+=($!)
  wait_for 10 $python -c "import socket; socket.create_connection(('127.0.0.1',$port),1)" || fail "no local HTTP server"
  export PELLIX_IPLOCATION_URL=http://127.0.0.1:$port PELLIX_GEOCODING_URL=http://127.0.0.1:$port \
         PELLIX_FORECAST_URL=http://127.0.0.1:$port PELLIX_POWER_SUPPLY_ROOT=$tmp/sys/class/power_supply \
         PELLIX_BATTERY_SOURCE=linux
  unset QT_QPA_PLATFORM QT_LOGGING_RULES PELLIX_MUSIC_SOURCE
}

login_call() {  # PATH INTERFACE.METHOD ARGS...
  gdbus call --system --timeout 5 --dest org.freedesktop.login1 --object-path "$1" --method "$2" "${@:3}" >/dev/null
}
# measure_locked ROUND SECONDS TARGET... [CMD...]: the targets (meter.py's, NAME=PID[=FILE])
# while the session is locked; CMD runs before the measurement and after it, still
# locked, with "before" and "after" as its last word.
measure_locked() {
  local r=$1 seconds=$2 targets=()
  shift 2
  while [ $# -gt 0 ] && [[ $1 == *=* ]]; do targets+=("$1"); shift; done
  login_call /org/freedesktop/login1/session/c1 org.freedesktop.login1.Session.SetLockedHint true || fail "no lock"
  sleep 2
  [ $# -gt 0 ] && "$@" before
  $python "$here/meter.py" sample "$seconds" "${targets[@]}" >"$results/locked-$r.json" || fail "meter failed (locked)"
  [ $# -gt 0 ] && "$@" after
  login_call /org/freedesktop/login1/session/c1 org.freedesktop.login1.Session.SetLockedHint false
  sleep 1
}

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
# home_env NAME: exports the home's HOME and XDG_* directories (in a subshell).
home_env() {
  local h=$results/$1
  export HOME=$h XDG_CONFIG_HOME=$h/config XDG_DATA_HOME=$h/data XDG_CACHE_HOME=$h/cache \
         XDG_STATE_HOME=$h/state XDG_RUNTIME_DIR=$h/run
}
# in_home NAME CMD...: runs CMD in that home.
in_home() { (home_env "$1"; shift; exec "$@"); }
# launch NAME CMD...: starts CMD in the background in NAME's home; its pid in $launched.
launch() {
  (home_env "$1"; exec </dev/null >"$results/$1.log" 2>&1; shift; exec "$@") &
  launched=$!; pids+=("$launched")
}
stop() {  # PID...
  kill -TERM "$@" 2>/dev/null
  for p in "$@"; do wait "$p" 2>/dev/null; done
}
