#!/usr/bin/env bash
# extension.sh [--build DIR]
# The System example on the desktop: exec of the app to the System widget's
# window mapped (map-watch, STARTS runs, median), then its extension's process
# (pellix-widget-host --serve) idle for WINDOW s: CPU time, wake-ups (context
# switches) and resident memory, beside the app's own. Xvfb + openbox, a
# private home and session bus.   STARTS (10), WINDOW (20 s), WARMUP (5 s)
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$here/../.." && pwd)/build
[ "${1:-}" = --build ] && build=$(cd "$2" && pwd)
app=$build/src/app/pellix-widget watch=$build/bench/footprint/map-watch
for f in "$app" "$watch" "$build/src/host/pellix-widget-host"; do
  [ -x "$f" ] || { echo "not built: $f" >&2; exit 1; }
done
starts=${STARTS:-10} window=${WINDOW:-20} warmup=${WARMUP:-5}
root=$(mktemp -d /tmp/pxext.XXXXXX)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$root"' EXIT
export HOME=$root XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data XDG_CACHE_HOME=$root/cache \
       XDG_STATE_HOME=$root/state XDG_RUNTIME_DIR=$root/run
mkdir -p "$XDG_CONFIG_HOME" && mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset PELLIX_EXTENSION_PATH QT_QPA_PLATFORM
echo '{"widget.ext:PellixSystemWidget.enabled": true}' >"$XDG_CONFIG_HOME/group.com.pellixwidget.json"

exec {dfd}<> <(:)
Xvfb -displayfd "$dfd" -screen 0 1920x1080x24 -s 0 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
read -r -t 10 n <&"$dfd"; exec {dfd}>&-
[ -n "${n:-}" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$n
openbox --sm-disable >/dev/null 2>&1 & pids+=($!)
eval "$(dbus-launch --sh-syntax)"; pids+=("$DBUS_SESSION_BUS_PID")
sleep 1

times=()
for ((i = 0; i < starts; i++)); do
  t=$("$watch" 1 ext:PellixSystemWidget "$app") || { echo "run $i: the System widget was not mapped" >&2; exit 1; }
  times+=("${t#* }")
  sleep 0.5
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
echo "exec -> System widget mapped: median $(median "${times[@]}") ms of $starts (${times[*]})"

"$app" >/dev/null 2>&1 & app_pid=$!; pids+=($app_pid)
sleep "$warmup"
child=$(pgrep -P "$app_pid" -f -- '--serve' | head -1)
[ -n "$child" ] || { echo "no extension process" >&2; exit 1; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { awk '/ctxt_switches/ {s += $2} END {print s}' "/proc/$1/status"; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
declare -A t0 s0
for p in "$app_pid" "$child"; do t0[$p]=$(ticks "$p"); s0[$p]=$(switches "$p"); done
sleep "$window"
hz=$(getconf CLK_TCK)
for p in "$child" "$app_pid"; do
  name=$([ "$p" = "$child" ] && echo "System process" || echo "app")
  awk -v n="$name" -v t="$(( $(ticks "$p") - t0[$p] ))" -v s="$(( $(switches "$p") - s0[$p] ))" -v r="$(rss "$p")" \
      -v w="$window" -v hz="$hz" \
      'BEGIN {printf "%s over %d s idle: CPU %.2f %%, %.2f wake-ups/s, RSS %.1f MB\n", n, w, 100*t/hz/w, s/w, r/1024}'
done
