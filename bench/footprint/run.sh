#!/usr/bin/env bash
# run.sh [--app PATH] [--build DIR] [--out DIR] [--a11y]
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
# Then, in each round, the session is locked (logind) and app-3 and battery
# measured again for LOCKED s, the clock's pixels compared before and after.
#   ROUNDS (3), WINDOW (60 s), WARMUP (10 s), STARTS (15), LOCKED (30 s)
#   --app PATH  the pellix-widget to measure (default BUILD/src/app/pellix-widget)
#   --build DIR where anchor-windows and map-watch are built (default build)
#   --out DIR   keep the raw figures, homes and logs there
#   --a11y      instead of the above and of the start-ups: conky and app-3
#               three ways, app-3 with no accessibility bus, app-3-idle and
#               app-3-heard each on a session bus of its own with an
#               accessibility bus and Qt's bridge on, no client listening to
#               the first, one listening as a screen reader does to the second
#               (their accessibility buses measured as a11y-idle, a11y-heard)
set -u
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
build=$src/build app='' out='' a11y=''
usage() { sed -n '2,/^set -u/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
while [ $# -gt 0 ]; do
  case $1 in
    --app) [ $# -ge 2 ] || usage; app=$2; shift 2 ;;
    --build) [ $# -ge 2 ] || usage; build=$2; shift 2 ;;
    --out) [ $# -ge 2 ] || usage; out=$2; shift 2 ;;
    --a11y) a11y=1; shift ;;
    *) usage ;;
  esac
done
build=$(cd "$build" 2>/dev/null && pwd) || { echo "no build directory (make build first)" >&2; exit 1; }
app=$(readlink -f "${app:-$build/src/app/pellix-widget}")
anchor=$build/bench/footprint/anchor-windows
watch=$build/bench/footprint/map-watch
rounds=${ROUNDS:-3} window=${WINDOW:-60} warmup=${WARMUP:-10} starts=${STARTS:-15} locked=${LOCKED:-30}
for f in "$app" "$anchor" "$watch"; do
  [ -x "$f" ] || { echo "not built: $f (make build)" >&2; exit 1; }
done
for t in Xvfb openbox picom conky dbus-daemon gdbus xdotool wmctrl xprop import compare /usr/bin/python3; do
  command -v "$t" >/dev/null || { echo "missing: $t (bash scripts/install-deps.sh all)" >&2; exit 1; }
done

. "$here/sources.sh"

# The desktop. Xvfb picks a free display itself; no screen saver of its own
# (it would put the app to sleep ten minutes in).
exec {dfd}<> <(:)
Xvfb -displayfd "$dfd" -screen 0 1920x1080x24 -s 0 -nolisten tcp -noreset >"$results/xvfb.log" 2>&1 &
xvfb=$!; pids+=("$xvfb")
n=
read -r -t 10 n <&"$dfd"
exec {dfd}>&-
[ -n "$n" ] || fail "Xvfb did not start"
export DISPLAY=:$n
wait_for 10 xdpyinfo || fail "Xvfb does not answer"
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

start_sources
if [ -n "$a11y" ]; then
  [ -x /usr/libexec/at-spi-bus-launcher ] && $python -c 'import pyatspi' 2>/dev/null ||
    fail "--a11y needs at-spi2-core and python3-pyatspi"
  # a11y_bus KIND: a session bus with an accessibility bus ($a11y_address). With
  # WAYLAND_DISPLAY set the launcher keeps the bus's address off the X root
  # window, where it would reach every app of the display.
  a11y_bus() {
    local out
    mkdir -m 700 "$tmp/a11y-$1"  # the sockets of both buses
    sed "s|@SOCK@|$tmp/a11y-$1/session-bus|" "$src/scripts/dbus/session-bus.conf.in" >"$tmp/a11y-$1/session-bus.conf"
    out=$(dbus-daemon --config-file="$tmp/a11y-$1/session-bus.conf" --fork --nosyslog --print-address=1 --print-pid=1) ||
      fail "session bus did not start ($1)"
    pids+=("$(echo "$out" | sed -n 2p)")
    a11y_address=$(echo "$out" | sed -n 1p)
    DBUS_SESSION_BUS_ADDRESS=$a11y_address XDG_RUNTIME_DIR=$tmp/a11y-$1 WAYLAND_DISPLAY=none \
      /usr/libexec/at-spi-bus-launcher --launch-immediately >"$results/atspi-$1.log" 2>&1 &
    pids+=($!); eval "a11y_$1=$!"
    wait_for 10 gdbus call --address "$a11y_address" -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress ||
      fail "no accessibility bus ($1)"
    ! xprop -root AT_SPI_BUS | grep -q = || fail "the accessibility bus is on the X root window"
  }
  a11y_bus idle; idle_address=$a11y_address
  a11y_bus heard; heard_address=$a11y_address
  # What a screen reader listens for: names, texts, states, children and windows.
  DBUS_SESSION_BUS_ADDRESS=$heard_address $python -u -c 'import pyatspi
def heard(event): pass
pyatspi.Registry.registerEventListener(heard, "object:property-change", "object:text-changed",
    "object:state-changed", "object:children-changed", "window")
print("listening", flush=True)
pyatspi.Registry.start()' >"$results/listener.log" 2>&1 &
  pids+=($!)
  wait_for 10 grep -q listening "$results/listener.log" || fail "the accessibility client did not start"
fi

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
echo "footprint: $app on :$n, $starts start-ups, $rounds x $window s (warm-up $warmup s); load $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# Exec to mapped, alternating; the first run of each only warms the caches.
four=(clock weather battery music)
: >"$results/startup.txt"
[ -n "$a11y" ] && starts=-1
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
  if [ -n "$a11y" ]; then
    home "r$r-conky" 0
    home "r$r-app-3" 40 clock weather battery
    home "r$r-app-3-idle" 300 clock weather battery
    home "r$r-app-3-heard" 560 clock weather battery
    launch "r$r-conky" conky -c "$here/conky.conf"; conky=$launched
    launch "r$r-app-3" "$app"; app3=$launched
    launch "r$r-app-3-idle" env DBUS_SESSION_BUS_ADDRESS="$idle_address" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$app"
    idle=$launched
    launch "r$r-app-3-heard" env DBUS_SESSION_BUS_ADDRESS="$heard_address" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$app"
    heard=$launched
    settle "$app3" 3; settle "$idle" 3; settle "$heard" 3
    for address in "$idle_address" "$heard_address"; do  # each on its accessibility bus, with its windows
      DBUS_SESSION_BUS_ADDRESS=$address timeout 10 $python -c 'import pyatspi, sys
desk = pyatspi.Registry.getDesktop(0)
apps = [a for a in map(desk.getChildAtIndex, range(desk.childCount)) if a is not None and a.name == "pellix-widget"]
sys.exit(0 if len(apps) == 1 and apps[0].childCount >= 3 else 1)' || fail "round $r: the app is not on its accessibility bus"
    done
    sleep "$warmup"
    $python "$here/meter.py" sample "$window" conky=$conky "app-3=$app3" "app-3-idle=$idle" "app-3-heard=$heard" \
      "a11y-idle=$a11y_idle" "a11y-heard=$a11y_heard" "Xvfb=$xvfb" "picom=$picom" >"$results/round-$r.json" ||
      fail "meter failed"
    echo "round $r of $rounds done; load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
    stop "$conky" "$app3" "$idle" "$heard"
    continue
  fi
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
  # Locked: the wake-ups, and whether the clock's pixels changed at all (a repaint
  # would move its hand), against how many change in 1.2 s unlocked.
  eval "$(xdotool getwindowgeometry --shell "$(visible "$app3" '^clock$' | head -1)")"
  clock() { import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$results/clock-$r-$1.png"; }
  changed() { compare -metric AE "$results/clock-$r-$1.png" "$results/clock-$r-$2.png" null: 2>&1; }
  clock 0; sleep 1.2; clock 1
  measure_locked "$r" "$locked" "app-3=$app3" "battery=$battery" clock
  echo "$(changed before after) (unlocked $(changed 0 1))" >"$results/locked-$r-changed.txt"
  echo "round $r of $rounds done; load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
  stop "$conky" "$app3" "$app4" "$anchor4" "$battery" "$music"
done

$python "$here/meter.py" report "$results"
[ -z "$a11y" ] || $python - "$results" <<'PY'
import glob, json, statistics, sys
rounds = [{r['label']: r for r in map(json.loads, open(p)) if r} for p in sorted(glob.glob(sys.argv[1] + '/round-*.json'))]
for who in ('app-3-idle', 'app-3-heard'):
    for key, name in (('cpu_pct', 'CPU'), ('wakeups', 'wake-ups'), ('rss', 'RSS')):
        per = [r[who][key] / r['app-3'][key] for r in rounds if r['app-3'][key]]
        print(f'  {who} / app-3 {name:9} {statistics.median(per):5.3f} (rounds {min(per):.3f}-{max(per):.3f})')
PY
