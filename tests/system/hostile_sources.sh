#!/usr/bin/env bash
# The real app against hostile battery sources under the test X server: a sysfs
# tree with a FIFO as the battery's `capacity`, energies of INT64_MAX, a
# peripheral at 1e14 % with a 100,000-character binary name, and on the private
# system bus first a UPower that owns its name but never answers, then one that
# lists 10,000 devices with absurd values. The app must keep answering second
# launches within a second, and publish only clamped, bounded values.
# Usage: hostile_sources.sh <path-to-pellix-widget>
set -u
app=$1
. "$(dirname "$0")/support/harness.sh"
needs DBUS_SYSTEM_BUS_ADDRESS "the private buses"
echo '{"widget.battery.enabled": true, "widget.battery.size": "medium", "widget.clock.enabled": true}' >"$settings_file"
bounded='all(0 <= x["percent"] <= 100 and len(x["name"]) <= 64 and x["name"].isprintable() for x in b)'

. "$repo_dir/scripts/battery-peers.sh"
fake_power_supply "$root/sys"
ps=$root/sys/class/power_supply
bat=$root/sys/devices/BAT0
rm "$bat/capacity" && mkfifo "$bat/capacity"
echo 9223372036854775807 >"$bat/energy_now"; echo 9223372036854775807 >"$bat/energy_full"
mkdir -p "$root/sys/devices/BAT1" "$root/sys/devices/hid-mouse"
ln -s ../../devices/BAT1 "$ps/BAT1"; ln -s ../../devices/hid-mouse "$ps/hid-mouse"
echo Battery >"$root/sys/devices/BAT1/type"; echo 0 >"$root/sys/devices/BAT1/energy_now"
echo 9223372036854775807 >"$root/sys/devices/BAT1/energy_full"
for kv in type=Battery scope=Device capacity=100000000000000; do echo "${kv#*=}" >"$root/sys/devices/hid-mouse/${kv%%=*}"; done
{ printf 'Mouse\x01\x1b[2J\xff\xfe'; head -c 100000 /dev/zero | tr '\0' x; } >"$root/sys/devices/hid-mouse/model_name"

/usr/bin/python3 "$repo_dir/tests/support/hostile_upower.py" --silent >"$root/upower.out" 2>&1 &
upower=$!; pids+=($upower)
wait_for 10 grep -q ready "$root/upower.out" || { echo "silent UPower did not start" >&2; exit 1; }

export PELLIX_POWER_SUPPLY_ROOT=$ps PELLIX_BATTERY_SOURCE=linux
launch
wait_for 10 panel || fail "the app did not show its panel"
# INT64_MAX of INT64_MAX + 0 of INT64_MAX is 50 %; the mouse's 1e14 % is 100.
if wait_for 15 published "[(x['id'][:5], x['percent'], x['charging']) for x in b] == [('macbo', 50, True), ('mouse', 100, False)] and $bounded"; then
  ok "FIFO skipped, sums without overflow, the peripheral clamped and its name bounded, UPower silent"
else
  fail "battery list not as expected: $(head -c 600 "$shared_file" 2>/dev/null)"
fi
check "silent UPower, FIFO in sysfs: the app answers second launches within 1 s" answers_launches 3

# UPower comes back as a hostile one: its 10,000 devices are capped, their values bounded.
kill -TERM $upower; wait $upower 2>/dev/null
/usr/bin/python3 "$repo_dir/tests/support/hostile_upower.py" --devices 10000 >"$root/upower.out" 2>&1 &
pids+=($!)
wait_for 10 grep -q ready "$root/upower.out" || { echo "hostile UPower did not start" >&2; exit 1; }
if wait_for 15 published "len(b) == 65 and b[1]['name'] == 'M' * 64 and $bounded"; then
  ok "10,000 hostile UPower devices: 64 published, all clamped and bounded"
else
  fail "UPower list not as expected: $(head -c 600 "$shared_file" 2>/dev/null)"
fi
check "hostile UPower: the app answers second launches within 1 s" answers_launches 3

finish
