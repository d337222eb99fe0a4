#!/usr/bin/env bash
# A compositor that starts after the app (session autostart entries race): the
# widgets and the control panel turn from their opaque look to their
# translucent one as soon as it runs, without a restart. Own X display, so the
# compositor can start at a chosen moment; the root is pure red, so that every
# blended pixel shows it.
# Usage: compositor.sh <path-to-pellix-widget>
set -u
app=$1
. "$(dirname "$0")/support/harness.sh"

start_x 1280x800
export DISPLAY=$x_display
start_wm || { echo "openbox did not start" >&2; exit 1; }
hsetroot -solid '#ff0000' >/dev/null 2>&1
echo '{"widget.clock.enabled": true}' >"$settings_file"
launch
wait_for 10 panel && wait_for 10 window clock || { fail "the app showed no window"; finish; }
sleep 0.5

# red_of WINDOW DX DY: the red of the screen pixel at that offset in the window.
red_of() {
  local x y
  eval "$(xdotool getwindowgeometry --shell "$1")"
  x=$((X + $2)); y=$((Y + $3))
  import -window root -crop "1x1+$x+$y" -depth 8 txt:- | sed -n 's/.*(\([0-9]*\),.*/\1/p' | tail -1
}
# An empty spot of the panel's backdrop (below its header), and the clock's soft
# shadow just under its glass (the window has a 10-pixel margin for it).
spots() { echo "$(red_of "$(panel)" 8 300) $(red_of "$(window clock)" 95 182)"; }
read -r panel_red clock_red <<<"$(spots)"
check "without a compositor the panel is opaque (red $panel_red)" test "$panel_red" -lt 50
check "without a compositor the clock is cut to its glass: no shadow (red $clock_red)" test "$clock_red" -eq 255

picom --backend xrender --config /dev/null >"$root/picom.log" 2>&1 &
pids+=($!)
wait_for 10 "$repo_dir/scripts/compositor-running.py" || { echo "picom did not start" >&2; exit 1; }
blended() { read -r panel_red clock_red <<<"$(spots)"; [ "$panel_red" -gt 60 ] && [ "$clock_red" -lt 250 ]; }
wait_for 5 blended
check "once the compositor runs the panel lets the desktop through (red $panel_red)" test "$panel_red" -gt 60
check "and the clock casts its shadow on it (red $clock_red)" test "$clock_red" -lt 250
finish
