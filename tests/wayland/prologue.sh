# Sourced first by the Wayland scripts, which pass their own arguments:
#   . "$(dirname "$0")/prologue.sh" TOOL...
# As root it runs the script again as nobody (sway and KWin refuse root or
# run as ordinary users); then the harness, the TOOLs (skipped without one),
# no X display nor scale inherited, and weather services that refuse at once.
if [ "$(id -u)" = 0 ]; then
  exec runuser -u nobody -- bash "$0" "${script_args[@]}"
fi
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../system/support/harness.sh"
for tool in "$@"; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
unset DISPLAY QT_SCALE_FACTOR
export PELLIX_IPLOCATION_URL=http://127.0.0.1:9 PELLIX_GEOCODING_URL=http://127.0.0.1:9 \
       PELLIX_FORECAST_URL=http://127.0.0.1:9

# start_sway [VAR=VALUE...]: headless sway (pixman renderer, one 1440x900
# output on a #336699 background, no XWayland) with VARs in its environment;
# exports SWAYSOCK and WAYLAND_DISPLAY. Ends the script when it does not start.
start_sway() {
  printf '%s\n' 'output HEADLESS-1 resolution 1440x900 position 0 0 bg #336699 solid_color' \
    'xwayland disable' 'default_border none' >"$root/sway.conf"
  env "$@" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$root/sway.conf" >"$root/sway.log" 2>&1 &
  pids+=($!)
  wait_for 10 eval 'ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock' || { echo "sway did not start"; cat "$root/sway.log"; exit 1; }
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -1)
  WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls | grep -m1 '^wayland-[0-9]*$')
  export SWAYSOCK WAYLAND_DISPLAY
}

# save_three_widgets: settings with the clock and the music (medium) at their
# places, the weather saved off every output, the battery off.
save_three_widgets() {
  cat >"$settings_file" <<'JSON'
{"widget.clock.enabled": true, "widget.clock.position": "{\"x\":100,\"y\":600}",
 "widget.weather.enabled": true, "widget.weather.position": "{\"x\":2000,\"y\":400}",
 "widget.battery.enabled": false,
 "widget.music.enabled": true, "widget.music.position": "{\"x\":700,\"y\":100}"}
JSON
}
