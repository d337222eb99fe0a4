#!/usr/bin/env bash
# wayland.sh [--build DIR] [--out DIR]
# The app's idle footprint against conky on a native Wayland desktop, side by
# side: headless sway 1920x1080 (pixman renderer, no XWayland), private
# session and system buses and the sources of run.sh. Each round starts, each
# in a fresh home:
#   conky   bench/footprint/conky.conf drawn on its own layer surface
#           (clock with seconds, battery, text; 1 s)
#   app-3   the app: clock, weather and battery, medium, transparent glass
#   battery the app with the battery widget alone, medium
# closes the app's control panel (swaymsg kill), waits WARMUP s and measures
# both, and sway, in the same WINDOW s (meter.py). Before the rounds, STARTS
# runs each (alternating) of exec to layer surfaces mapped (wl_map_watch.py):
# the app's three widgets, conky's one surface. Prints medians and the ratios.
# Needs a build with native Wayland widgets (Debian 13); as root it runs as
# nobody (sway will not run as root).
#   ROUNDS (3), WINDOW (60 s), WARMUP (10 s), STARTS (15), LOCKED (30 s: app-3 and
#   battery alone again with the session locked)
#   --build DIR where the app is built (default build)
#   --out DIR   keep the raw figures, homes and logs there
set -u
if [ "$(id -u)" = 0 ]; then
  exec runuser -u nobody -- bash "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
build=$src/build out=''
usage() { sed -n '2,/^set -u/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
while [ $# -gt 0 ]; do
  case $1 in
    --build) [ $# -ge 2 ] || usage; build=$2; shift 2 ;;
    --out) [ $# -ge 2 ] || usage; out=$2; shift 2 ;;
    *) usage ;;
  esac
done
app=$(readlink -f "$build/src/app/pellix-widget")
rounds=${ROUNDS:-3} window=${WINDOW:-60} warmup=${WARMUP:-10} starts=${STARTS:-15} locked=${LOCKED:-30}
[ -x "$app" ] || { echo "not built: $app (make build)" >&2; exit 1; }
for t in sway swaymsg conky dbus-daemon gdbus /usr/bin/python3; do
  command -v "$t" >/dev/null || { echo "missing: $t (bash scripts/install-deps.sh all)" >&2; exit 1; }
done

. "$here/sources.sh"

# The desktop: sway's socket and IPC in a runtime directory of its own; the
# clients in their homes reach it by its path.
mkdir -m 700 "$tmp/sway"
cat >"$tmp/sway.conf" <<'CONF'
output HEADLESS-1 resolution 1920x1080 position 0 0 bg #336699 solid_color
xwayland disable
default_border none
CONF
XDG_RUNTIME_DIR=$tmp/sway WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$tmp/sway.conf" >"$results/sway.log" 2>&1 &
sway=$!; pids+=("$sway")
wait_for 10 eval 'ls "$tmp"/sway/sway-ipc.*.sock' || fail "sway did not start: $(tail -1 "$results/sway.log")"
export SWAYSOCK=$(ls "$tmp"/sway/sway-ipc.*.sock | head -1)
socket=$(ls "$tmp/sway" | grep -m1 '^wayland-[0-9]*$') || fail "sway has no Wayland socket"
export WAYLAND_DISPLAY=$tmp/sway/$socket
unset DISPLAY QT_SCALE_FACTOR

start_sources
# conky's own Wayland output: the X11 configuration, drawn on a layer surface.
sed 's/out_to_x = true,/out_to_x = false, out_to_wayland = true,/' "$here/conky.conf" >"$tmp/conky.conf"
grep -q 'out_to_wayland = true' "$tmp/conky.conf" || fail "conky.conf has no out_to_x line to turn"

panel_shown() { swaymsg -t get_tree | grep -q '"name": "PellixWidget Control Panel"'; }
# settle: the app's widgets are up (its shared file written), then its control panel closed.
settle() {
  wait_for 20 test -s "$results/$1/data/group.com.pellixwidget/widget-data.json" || fail "$1: no shared file"
  wait_for 20 panel_shown || fail "$1: no control panel"
  swaymsg '[title="^PellixWidget Control Panel$"]' kill >/dev/null
  wait_for 10 eval '! panel_shown' || fail "$1: control panel still shown"
}

echo "footprint (Wayland): $app under sway, $starts start-ups, $rounds x $window s (warm-up $warmup s); load $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# Exec to mapped, alternating; the first run of each only warms the caches.
: >"$results/startup.txt"
for ((i = 0; i <= starts; i++)); do
  home "start-$i" 40 clock weather battery
  a=$(in_home "start-$i" "$here/wl_map_watch.py" 3 "$app") || fail "start-up $i of the app"
  home "conky-$i" 0
  c=$(in_home "conky-$i" "$here/wl_map_watch.py" 1 conky -c "$tmp/conky.conf") || fail "start-up $i of conky"
  if [ "$i" -gt 0 ]; then
    echo "app $a" >>"$results/startup.txt"
    echo "conky $c" >>"$results/startup.txt"
  fi
  rm -rf "${results:?}/start-$i" "${results:?}/conky-$i"
done

for ((r = 1; r <= rounds; r++)); do
  home "r$r-conky" 0
  home "r$r-app-3" 40 clock weather battery
  home "r$r-battery" 300 battery
  launch "r$r-conky" conky -c "$tmp/conky.conf"; conky=$launched
  launch "r$r-app-3" "$app"; app3=$launched
  settle "r$r-app-3"  # one at a time: the panels are closed by their title
  launch "r$r-battery" "$app"; battery=$launched
  settle "r$r-battery"
  sleep "$warmup"
  $python "$here/meter.py" sample "$window" conky=$conky \
    "app-3=$app3=$results/r$r-app-3/data/group.com.pellixwidget/widget-data.json" \
    "battery=$battery" "sway=$sway" >"$results/round-$r.json" || fail "meter failed"
  measure_locked "$r" "$locked" "app-3=$app3" "battery=$battery"
  echo "round $r of $rounds done; load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
  stop "$conky" "$app3" "$battery"
done

$python "$here/meter.py" report "$results" app-3=1.0
