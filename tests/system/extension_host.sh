#!/usr/bin/env bash
# pellix-widget-host beside the real app under the test X server. The app
# publishes the computer's battery (a fake sysfs tree) and the weather (a local
# server with the services' answers); the host must show what the app last
# wrote: in its timelines, in its renderings, and on the desktop, where each
# widget's window says its entry on the accessibility bus.
# Usage: extension_host.sh <path-to-pellix-widget>   (PELLIX_HOST: the host binary;
# PELLIX_SCREENSHOT=file.png keeps a screenshot of the desktop)
set -u
app=$1
host=${PELLIX_HOST:?set PELLIX_HOST to pellix-widget-host}
. "$(dirname "$0")/support/harness.sh"
needs DISPLAY "the X server"
needs DBUS_SESSION_BUS_ADDRESS "the private buses"
unset PELLIX_EXTENSION_PATH
# The clock too: the battery's reading rides its wake-ups (the fake tree sends no uevents).
echo '{"widget.clock.enabled": true, "widget.weather.enabled": true, "widget.battery.enabled": true,
       "widget.battery.size": "medium"}' >"$settings_file"

# pixels FILE COLOUR [FUZZ]: how many pixels of about that colour the image has.
pixels() {
  convert "$1" -alpha off -fuzz "${3:-6}%" -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

serve_weather
. "$repo_dir/scripts/battery-peers.sh"
fake_power_supply "$root/sys"   # the computer charging at 64 % on mains
launch PELLIX_POWER_SUPPLY_ROOT="$root/sys/class/power_supply" PELLIX_BATTERY_SOURCE=linux

wait_for 20 published '"weather" in d and [x["percent"] for x in d.get("battery", [])] == [64]' \
  || { fail "the app published nothing: $(cat "$shared_file" 2>/dev/null)"; finish; }
for kind in PellixBatteryWidget PellixWeatherWidget; do
  timeline_matches $kind && ok "$kind's timeline holds what the app wrote" || fail "$kind timeline: $(cat "$root/timeline.json")"
done
"$host" --render PellixBatteryWidget --family medium --scale 2 --out "$root/charging.png" 2>>"$root/host.log"
[ "$(pixels "$root/charging.png" '#FFD60A')" -gt 20 ] && ok "the charging bolt is drawn" || fail "no bolt while charging"

# Four desktop windows, each the size of its family plus the shadow margin.
start_atspi
LANGUAGE=it LANG=it_IT.UTF-8 "$host" --show >>"$root/host.log" 2>&1 &
host_pid=$!; pids+=($host_pid)
for kind in PellixClockWidget PellixWeatherWidget PellixMusicWidget PellixBatteryWidget; do
  if wait_for 10 xdotool search --onlyvisible --name "^$kind:small\$"; then
    id=$(xdotool search --onlyvisible --name "^$kind:small\$" | head -1)
    size=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
    [ "$size" = 190x190 ] && ok "$kind shown on the desktop" || fail "$kind window is $size"
  else
    fail "no $kind window"
  fi
done
sleep 1
[ -n "${PELLIX_SCREENSHOT:-}" ] && import -window root "$PELLIX_SCREENSHOT"
import -window "$(xdotool search --onlyvisible --name '^PellixBatteryWidget:small$' | head -1)" "$root/shown.png"
[ "$(pixels "$root/shown.png" '#FFD60A' 25)" -gt 5 ] && ok "the shown battery widget draws the bolt" \
  || fail "no bolt in the shown battery widget"
kill -0 $host_pid 2>/dev/null && ok "the host keeps running" || fail "the host exited"
export ATSPI_APP=pellix-widget-host
check "the host's clock window says the entry's time and date" \
  wait_for 5 said "Pellix - Orologio" 't.split(", ")[0] in now_hm() and time.strftime(" %-d ") in t'
check "the weather window the entry's weather" said "Pellix - Meteo" 't == "Milan, 6.3°, Percepito 3.9°"'
check "the battery window the computer charging" said "Pellix - Batteria" 't.endswith(", 64%, In carica")'
check "the music window that nothing plays" said "Pellix - Now Playing" 't == "Non in Riproduzione, Riproduci della musica"'

# The computer unplugged at 15 %: the app's next refresh reaches the next request.
bat=$root/sys/devices/BAT0
echo Discharging >"$bat/status"; echo 15 >"$bat/capacity"; echo 7500000 >"$bat/energy_now"; echo 0 >"$root/sys/devices/AC/online"
wait_for 10 published '[(x["percent"], x["charging"]) for x in d["battery"]] == [(15, False)]' \
  || fail "the app did not publish the unplugged battery: $(cat "$shared_file")"
timeline_matches PellixBatteryWidget && ok "a new request reads the new data" || fail "stale timeline"
"$host" --render PellixBatteryWidget --family medium --scale 2 --out "$root/unplugged.png" 2>>"$root/host.log"
[ "$(pixels "$root/unplugged.png" '#FFD60A')" -eq 0 ] && [ "$(pixels "$root/unplugged.png" '#FF453A')" -gt 20 ] \
  && ok "unplugged at 15 %: a red ring, no bolt" || fail "the render does not follow the file"

finish
