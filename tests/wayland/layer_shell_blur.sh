#!/usr/bin/env bash
# Blur behind the Wayland widgets and the control panel, as the app asks a
# compositor that offers KWin's blur protocol: a headless sway given that
# global by a preloaded library (it accepts the requests and blurs nothing),
# the app's requests read from its WAYLAND_DEBUG. Each widget's content
# rectangle (not its shadow margin), the panel's whole window, and again on the
# surfaces made anew: a widget taken by a new output, the panel reopened.
# Usage: layer_shell_blur.sh <pellix-widget> <blur-global-library>
set -u
script_args=("$@")
. "$(dirname "$0")/prologue.sh" sway swaymsg python3
app=$1 blur_global=$2

start_sway LD_PRELOAD="$blur_global"

# blur WHAT REGION: the newest surface of WHAT (namespace or title) has REGION committed as its blur.
blur() { test "$(python3 "$here/blur_requests.py" "$root/app.log" "$1")" = "$2"; }
# made N KIND [NAME]: the app has made N layer surfaces of namespace NAME, or N toplevels.
made() { test "$(grep -c -- "-> .*get_$2(.*${3:-}" "$root/app.log")" = "$1"; }

save_three_widgets
launch WAYLAND_DEBUG=client
panel='[title="PellixWidget Control Panel"]'
wait_for 10 eval "swaymsg -t get_tree | grep -q 'PellixWidget Control Panel'"
check "blur behind the clock's content" wait_for 10 blur pellix-clock "10, 10, 170, 170"
check "behind the music's (medium)" blur pellix-music "10, 10, 340, 170"
check "behind the weather's" blur pellix-weather "10, 10, 170, 170"
check "behind the whole control panel" wait_for 5 blur "PellixWidget Control Panel" "0, 0, 420, 600"

# A second output to the right takes the weather at its saved place: a new surface.
swaymsg create_output >/dev/null
swaymsg output HEADLESS-2 resolution 1280x800 position 1440 0 >/dev/null
check "the weather moves to the new output on a new surface" wait_for 5 made 2 layer_surface '"pellix-weather")'
check "which has the blur too" wait_for 5 blur pellix-weather "10, 10, 170, 170"
swaymsg "$panel" kill >/dev/null
wait_for 5 eval "! swaymsg -t get_tree | grep -q 'PellixWidget Control Panel'"
timeout 10 "$app" >/dev/null 2>&1
check "the panel is a new window when it opens again" wait_for 10 made 2 toplevel
check "which has the blur too" wait_for 5 blur "PellixWidget Control Panel" "0, 0, 420, 600"
finish
