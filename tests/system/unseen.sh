#!/usr/bin/env bash
# Clock, weather and battery while nobody can see them: with the session locked
# (logind's LockedHint, python3-dbusmock's logind on the private system bus) the
# app must leave the CPU alone but for its slow safety refresh, and on unlock the
# clock must show the current second within one second. The same with the X
# screen blank (the server's screen saver, which DPMS raises too), and for the
# clock alone under another window.
# Usage: unseen.sh <path-to-pellix-widget>
set -u
app=$1
. "$(dirname "$0")/support/harness.sh"
needs DBUS_SYSTEM_BUS_ADDRESS "the private buses"
echo '{"widget.clock.enabled": true, "widget.clock.style": "analog", "widget.clock.size": "small",
       "widget.clock.position": "{\"x\":40,\"y\":40}", "widget.weather.enabled": true,
       "widget.battery.enabled": true}' >"$settings_file"
serve_weather
. "$repo_dir/scripts/battery-peers.sh"
fake_power_supply "$root/sys"

login_call() {  # PATH INTERFACE.METHOD ARGS...
  gdbus call --system --timeout 5 --dest org.freedesktop.login1 --object-path "$1" --method "$2" "${@:3}" >/dev/null
}
/usr/bin/python3 -m dbusmock --template logind --system >"$root/logind.log" 2>&1 &
pids+=($!)
wait_for 5 login_call /org/freedesktop/login1 org.freedesktop.DBus.Mock.AddSession c1 seat0 'uint32 0' root true \
  || { echo "logind mock did not start" >&2; exit 1; }
lock() { login_call /org/freedesktop/login1/session/c1 org.freedesktop.login1.Session.SetLockedHint "$1"; }

launch PELLIX_POWER_SUPPLY_ROOT=$root/sys/class/power_supply PELLIX_BATTERY_SOURCE=linux XDG_SESSION_ID=c1
wait_for 20 published '"weather" in d and "battery" in d' || fail "nothing published: $(cat "$shared_file" 2>/dev/null)"
wait_for 10 window clock || fail "no clock window"
wmctrl -c 'PellixWidget Control Panel'
sleep 2

# wakeups_over SECONDS: times the app's threads were put on a CPU, followed once a
# second so that a thread that ends meanwhile keeps what it counted.
wakeups_over() {
  local -A last=() ; local total=0 i f tid n
  for ((i = 0; i <= $1; i++)); do
    for f in /proc/$app_pid/task/*/schedstat; do
      tid=${f%/schedstat}; tid=${tid##*/}
      read -r _ _ n <"$f" 2>/dev/null || continue
      if [ -n "${last[$tid]:-}" ]; then total=$((total + n - last[$tid])); elif ((i > 0)); then total=$((total + n)); fi
      last[$tid]=$n
    done
    ((i < $1)) && sleep 1
  done
  echo $total
}
# second_hand_at S: in the screenshot, the clock's second hand (accent red) points at second S.
second_hand_at() {
  local x=$((clock_x + 85 + $(awk -v s="$1" 'BEGIN {printf "%d", 40 * sin(s * 6 * 3.14159265 / 180)}')))
  local y=$((clock_y + 85 - $(awk -v s="$1" 'BEGIN {printf "%d", 40 * cos(s * 6 * 3.14159265 / 180)}')))
  convert "$root/now.png" -crop "3x3+$((x - 1))+$((y - 1))" -depth 8 txt:- 2>/dev/null |
    grep -o ': ([0-9]*,[0-9]*,[0-9]*' | tr -d ':( ' |
    awk -F, '$1 > 200 && $2 < 120 && $3 < 120 {red = 1} END {exit !red}'
}
# A second from the screenshot's start to its end: it may straddle an edge or,
# on a loaded machine, two.
shows_now() {
  local before after s
  before=$(date +%s); import -window root "$root/now.png"; after=$(date +%s)
  for ((s = before; s <= after; s++)); do second_hand_at $((s % 60)) && return 0; done
  return 1
}
read -r clock_x clock_y <<<"$(content_origin "$(window clock)")"
check "the clock shows the current second" shows_now

lock true
sleep 1
during=$(wakeups_over 20)
# Locked, the clock, the repaints and the weather's spinner stop, and the battery
# waits for UPower's or the kernel's word, reading sysfs once a minute (one or
# two wake-ups of the GUI thread in 20 s, more when that read meets the wait);
# nothing else stirs without bus traffic. 4 in 20 s is the 0.2 a second allowed
# locked; unlocked the clock alone wakes the process at least 20 times.
if [ "$during" -le 4 ]; then ok "locked: $during wake-ups in 20 s"; else fail "locked: $during wake-ups in 20 s"; fi
published '"battery" in d' || fail "the shared file lost the battery while locked"

# ms_since T: milliseconds from bash's EPOCHREALTIME T to now.
ms_since() { local now=$EPOCHREALTIME; echo $(( (${now/./} - ${1/./}) / 1000 )); }
# current_after WHAT CMD...: runs CMD, then the clock must show the current second
# within 1 s, timed to the millisecond from CMD to the start of the screenshot
# that shows it: the harness's whole-second wait may end anywhere in its last
# second, which once read as a late clock.
current_after() {
  local start=$EPOCHREALTIME latency
  "${@:2}"
  while latency=$(ms_since "$start"); ((latency <= 1000)); do shows_now && break; sleep 0.05; done
  if ((latency <= 1000)); then ok "$1: the clock shows the current second after $latency ms"
  else fail "$1: the clock not current after 1 s"; fi
}
current_after unlocked lock false
sleep 1.3
check "and keeps ticking" shows_now

# The X screen blank: the same sleep, by the X server's own word. The clock's
# pixels must not change meanwhile (Xvfb leaves its frame buffer as it was).
clock_pixels() { import -window root -crop "170x170+$clock_x+$clock_y" +repage "$root/$1.png"; }
cleanups+=("xset s reset")
xset s activate
sleep 1
clock_pixels blank-start
during=$(wakeups_over 20)
clock_pixels blank-end
# The bound of the locked case, for the same reasons.
if [ "$during" -le 4 ]; then ok "blank: $during wake-ups in 20 s"; else fail "blank: $during wake-ups in 20 s"; fi
changed=$(compare -metric AE "$root/blank-start.png" "$root/blank-end.png" null: 2>&1)
if [ "$changed" = 0 ]; then ok "blank: the clock not repainted"; else fail "blank: $changed pixels of the clock repainted"; fi
current_after "screen back" xset s reset

# The clock's window under an opaque one (xev's): it stops, though weather and
# battery stay in sight; uncovered, it is current again.
xev -geometry "320x320+$((clock_x > 40 ? clock_x - 40 : 0))+$((clock_y - 60))" -name cover >/dev/null 2>&1 &
cover=$!; pids+=($cover)
wait_for 5 xdotool search --name '^cover$' || fail "no covering window"
sleep 1.5
during=$(wakeups_over 10)
# A clock in sight wakes the process 10 times in 10 s; covered, nothing ticks.
if [ "$during" -le 2 ]; then ok "covered: $during wake-ups in 10 s"; else fail "covered: $during wake-ups in 10 s"; fi
current_after uncovered kill $cover

finish
