#!/usr/bin/env bash
# The widgets under KWin (kwin_wayland's virtual backend, headless): native
# Wayland, each widget a layer surface with its namespace on the bottom layer,
# configured at its size, and placed by KWin at its saved place below the
# control panel (KWin's own list of windows, read through a KWin script), and
# blur behind the glass asked for when KWin offers its blur protocol. No pixels:
# KWin offers grim no screencopy.
# Usage: layer_shell_kwin.sh <pellix-widget>
set -u
script_args=("$@")
. "$(dirname "$0")/prologue.sh" kwin_wayland dbus-daemon gdbus
app=$1

# A session bus of this user: KWin's scripting is reached through it.
sed "s|@SOCK@|$root/bus|" "$repo_dir/scripts/dbus/session-bus.conf.in" >"$root/bus.conf"
bus=$(dbus-daemon --config-file="$root/bus.conf" --fork --nosyslog --print-address=1 --print-pid=1) \
  || { echo "no session bus"; exit 1; }
pids+=("$(echo "$bus" | sed -n 2p)")
export DBUS_SESSION_BUS_ADDRESS=$(echo "$bus" | sed -n 1p)
# The installed binary carries a file capability (CAP_SYS_NICE) that an
# unprivileged exec is refused with; a copy without it runs (the name must stay).
mkdir "$root/bin" && cp /usr/bin/kwin_wayland "$root/bin/kwin_wayland"
QT_LOGGING_RULES=kwin_scripting=true "$root/bin/kwin_wayland" --virtual --no-lockscreen --socket pxkwin \
  --width 1440 --height 900 >"$root/kwin.log" 2>&1 &
pids+=($!)
wait_for 20 test -S "$XDG_RUNTIME_DIR/pxkwin" || { echo "KWin did not start"; cat "$root/kwin.log"; exit 1; }
export WAYLAND_DISPLAY=pxkwin

# listed X Y W H LAYER: KWin lists a window with that frame (the widget's
# content and its 10-point shadow margin) on that layer of its stacking
# (1: below normal windows, 2: normal windows).
scripts=0
listed() {
  scripts=$((scripts + 1))
  local tag=pxwin$scripts
  echo "for (const w of workspace.stackingOrder) { const g = w.frameGeometry;
    print('$tag', g.x, g.y, g.width, g.height, w.layer, w.caption); }" >"$root/$tag.js"
  local id
  id=$(gdbus call --session --timeout 5 -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.loadScript \
    "$root/$tag.js" "$tag" | grep -o '[0-9]\+' | head -1) || return 1
  gdbus call --session --timeout 5 -d org.kde.KWin -o "/Scripting/Script$id" -m org.kde.kwin.Script.run >/dev/null
  wait_for 5 grep -q "js: $tag " "$root/kwin.log"
  grep -q "js: $tag $1 $2 $3 $4 $5\b" "$root/kwin.log"
}
# The lines of the app's own Wayland traffic (WAYLAND_DEBUG) that hold $1.
traffic() { grep -F -- "$1" "$root/app.log"; }
# configured NAME W H: the widget's layer surface, namespace pellix-NAME on the
# bottom layer (1), got KWin's configure event at W x H.
configured() {
  local id
  id=$(traffic "1, \"pellix-$1\")" | grep -o 'zwlr_layer_surface_v1#[0-9]*' | head -1) || return 1
  traffic "$id.configure(" | grep -v -- '->' | grep -q ", $2, $3)"
}
save_three_widgets
launch QT_LOGGING_RULES=pellix.shell.info=true WAYLAND_DEBUG=client
check "the app chose native Wayland" wait_for 10 grep -q "native Wayland" "$root/app.log"
check "each widget's surface is configured at its size" \
  wait_for 10 eval 'configured clock 190 190 && configured weather 190 190 && configured music 360 190'
check "no surface for a widget switched off" test -z "$(traffic '"pellix-battery"')"
check "KWin lists the panel as a normal window" wait_for 10 listed 510 150 420 600 2
check "and the clock below normal windows at its saved place" listed 90 120 190 190 1
check "the music likewise" listed 690 620 360 190 1
check "the weather, saved off every output, at the right edge" listed 1260 320 190 190 1

# KWin offers its blur protocol only while it composites with OpenGL, not with
# the virtual backend's QPainter fallback on a machine without a render node
# (layer_shell_blur.sh follows the requests under sway given that protocol).
if traffic '"org_kde_kwin_blur_manager"' | grep -q 'wl_registry#[0-9]*\.global('; then
  check "blur behind the clock's content" test "$(python3 "$here/blur_requests.py" "$root/app.log" pellix-clock)" = "10, 10, 170, 170"
else
  echo "note: this KWin offers no blur (no OpenGL compositing here): the blur request is not checked"
fi
finish
