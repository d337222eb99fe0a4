#!/usr/bin/env bash
# The real app with live sources under the test X server: weather from a local
# HTTP server with the services' answers, the computer's battery from a fake
# sysfs tree, accessories from UPower (python3-dbusmock) on the private system
# bus. The widgets must publish what those sources say, and say it on the
# accessibility bus (each a named window holding a label, changes announced, the
# clock's once a minute), in Italian, English, French and Spanish; then, with the
# weather services unreachable, the app must keep running, publish no weather
# and say so, in German.
# Usage: live_sources.sh <path-to-pellix-widget>   (PELLIX_SCREENSHOT=file.png keeps a screenshot)
set -u
app=$1
. "$(dirname "$0")/support/harness.sh"
needs DBUS_SYSTEM_BUS_ADDRESS "the private buses"
needs DBUS_SESSION_BUS_ADDRESS "the private buses"
echo '{"widget.weather.enabled": true, "widget.battery.enabled": true, "widget.battery.size": "medium",
       "widget.clock.enabled": true, "widget.clock.size": "medium", "widget.clock.style": "digital"}' >"$settings_file"
serve_weather

# The computer charging at 64 % on mains; a Magic Mouse at 42 % on UPower.
. "$repo_dir/scripts/battery-peers.sh"
fake_power_supply "$root/sys"
ps=$root/sys/class/power_supply
start_upower_mock "$root/upower.log" || { echo "UPower mock did not start" >&2; exit 1; }
add_upower_accessory mouse_dev_1 5 "Magic Mouse" 42.0 || { echo "could not add the mouse" >&2; exit 1; }

export PELLIX_POWER_SUPPLY_ROOT=$ps PELLIX_BATTERY_SOURCE=linux
start_atspi
listen || { echo "the accessibility bus did not answer" >&2; exit 1; }
listening_since=$(date +%H:%M)
launch LANGUAGE=it LANG=it_IT.UTF-8

if wait_for 20 published 'd.get("weather",{}).get("temp") == 6.3 and d["weather"].get("code") == 3'; then
  ok "the weather from the local services is published"
else
  fail "weather not published: $(cat "$shared_file" 2>/dev/null)"
fi
devices='[(x["id"], x["percent"], x["charging"]) for x in b]'
if wait_for 20 published "$devices == [('macbook', 64, True), ('magic-mouse', 42, False)]"; then
  ok "the computer's battery and the UPower mouse are published"
else
  fail "battery list not as expected: $(cat "$shared_file" 2>/dev/null)"
fi
published 'd.get("clockStyle") == "digital"' && ok "the clock style is published" || fail "no clock style"
check "the weather window says what it shows" \
  wait_for 5 said Meteo 't == "Milan, 6°, Nuvoloso, H:8° L:2°"'
check "and announced it" announced Meteo 't == "Milan, 6°, Nuvoloso, H:8° L:2°"'
check "the battery window says every ring with its level and charging state" \
  wait_for 5 said Batteria 't.endswith(", 64%, In carica. Magic Mouse, 42%, Alimentazione")'
check "the clock says the time to the minute and the date, the seconds when asked for" \
  said "Orologio & Data" 't.split(", ")[0] in now_hm() and full.split(", ")[1].endswith(" s") and time.strftime(" %-d ") in t'
if [ -n "${PELLIX_SCREENSHOT:-}" ]; then  # for the README: a wallpaper, the panel closed
  hsetroot -add '#1f4e79' -add '#6a3d7a' -gradient 135 >/dev/null 2>&1
  wmctrl -c 'PellixWidget Control Panel'
  sleep 1.5 && import -window root "$PELLIX_SCREENSHOT"
fi

# A percentage changed on the bus shows at once: UPower's signal, not the 4-second refresh.
upower_call SetDeviceProperties /org/freedesktop/UPower/devices/mouse_dev_1 "{'Percentage': <17.0>}"
wait_for 2 published '[x["percent"] for x in d["battery"] if x["id"] == "magic-mouse"] == [17]' \
  && ok "a changed accessory level is published at once" || fail "mouse level not refreshed"
check "and announced within a second" wait_for 1 announced Batteria 't.endswith("Magic Mouse, 17%, Alimentazione")'
check "the clock announces the next minute" wait_for 65 announced "Orologio & Data" "t[:5] not in ('$listening_since', '')"
clock_said=$(grep -c "^Orologio & Data	" "$root/said.log")
check "but not every second ($clock_said announcements)" test "$clock_said" -le 3
stop

# The other languages: each window named, and its text, in the interface's language.
# speaks WEATHER TEXT BATTERY TEXT CLOCK DATE WEEKDAYS: the weather window's text
# starts with TEXT, the battery's ends with TEXT, the clock's date is DATE (a
# regular expression; {wd} is today in WEEKDAYS, Monday first).
speaks() {
  said "$1" "t.startswith('$2')" && said "$3" "t.endswith('$4')" && said "$5" \
    "re.fullmatch(r'[^,]+, ' + r'$6'.format(wd='$7'.split()[time.localtime().tm_wday]) + ', Milan', t)"
}
while IFS='|' read -r lang locale row; do
  IFS='|' read -r -a row <<<"$row"
  launch LANGUAGE="$lang" LANG="$locale"
  check "in $lang the windows say what they show" wait_for 10 speaks "${row[@]}"
  stop
done <<'TABLE'
en|en_US.UTF-8|Weather|Milan, 6°, Cloudy, H:8° L:2°|Battery|, 64%, Charging. Magic Mouse, 17%, Power|Clock & Date|{wd}, \w+ \d+|Monday Tuesday Wednesday Thursday Friday Saturday Sunday
fr|fr_FR.UTF-8|Météo|Milan, 6°, Nuageux, H : 8° B : 2°|Batterie|, 64%, En charge. Magic Mouse, 17%, Alimentation|Horloge & date|{wd} \d+ \w+|lundi mardi mercredi jeudi vendredi samedi dimanche
es|es_ES.UTF-8|Clima|Milan, 6°, Nublado, Máx. 8° Mín. 2°|Batería|, 64%, Cargando. Magic Mouse, 17%, Alimentación|Reloj y fecha|{wd}, \d+ de \w+|lunes martes miércoles jueves viernes sábado domingo
TABLE

# No weather service at all: the app keeps running and publishes no weather.
rm -f "$shared_file"
launch PELLIX_IPLOCATION_URL=http://127.0.0.1:9 PELLIX_FORECAST_URL=http://127.0.0.1:9 LANGUAGE=de LANG=de_DE.UTF-8
wait_for 10 published '"battery" in d' || fail "no battery refresh without the network"
sleep 1
if kill -0 $app_pid 2>/dev/null && published '"weather" not in d'; then
  ok "without the weather services the app runs on and publishes no weather"
else
  fail "app died or published weather without services"
fi
check "in German the weather window says the error as shown" wait_for 5 said Wetter 't == "NETZWERKFEHLER"'
check "and the battery window the rings" said Akku 't.endswith(", 64%, Lädt. Magic Mouse, 17%, Stromversorgung")'

finish
