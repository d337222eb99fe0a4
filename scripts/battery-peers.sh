# Source this: the battery sources of a laptop with Bluetooth accessories, for
# system tests, screenshots and benchmarks. A fake power_supply tree (mains
# online, one battery charging at 64 %) and python3-dbusmock's UPower on the
# system bus of DBUS_SYSTEM_BUS_ADDRESS. Processes started here are appended to
# the caller's `pids` array; the caller stops them.

# fake_power_supply DIR: builds the tree under DIR; use DIR/class/power_supply as the root.
fake_power_supply() {
  local root=$1 ps=$1/class/power_supply n kv supply
  mkdir -p "$ps"
  for supply in "AC type=Mains online=1" \
              "BAT0 type=Battery scope=System status=Charging present=1 capacity=64 energy_now=32000000 energy_full=50000000"; do
    set -- $supply; n=$1; shift
    mkdir -p "$root/devices/$n"
    for kv in "$@"; do echo "${kv#*=}" >"$root/devices/$n/${kv%%=*}"; done
    ln -s "../../devices/$n" "$ps/$n"
  done
}

upower_call() {  # METHOD ARGS...: a call on dbusmock's control interface
  gdbus call --system --timeout 5 --dest org.freedesktop.UPower --object-path /org/freedesktop/UPower \
    --method "org.freedesktop.DBus.Mock.$1" "${@:2}" >/dev/null
}

# start_upower_mock LOGFILE: returns non-zero when it does not answer within 5 s.
start_upower_mock() {
  /usr/bin/python3 -m dbusmock --template upower --system -p '{"DaemonVersion": "0.99.20", "OnBattery": false}' \
    >"$1" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do upower_call GetCalls 2>/dev/null && return 0; sleep 0.05; done
  return 1
}

# add_upower_accessory NAME KIND MODEL PERCENT: KIND is UPower's device type (5 mouse, 6 keyboard,
# 19 headphones, 26 wearable); the device is /org/freedesktop/UPower/devices/NAME.
add_upower_accessory() {
  upower_call AddDischargingBattery "$1" "$3" "$4" "int64 0" &&
    upower_call SetDeviceProperties "/org/freedesktop/UPower/devices/$1" "{'Type': <uint32 $2>, 'PowerSupply': <false>}"
}
