#!/usr/bin/env bash
# The control panel of the real app driven through the accessibility bus
# (AT-SPI), as a screen reader or a GUI test tool would, under the test X
# server: switching a widget on, resizing one, the extensions' section (System,
# built in the tree, switched on; a file that is no plug-in, refused with its
# reason), the city search (and one the
# user abandons), the version shown, the panel's window hints across closing
# and reopening, and quitting from the tray menu (trayer is the tray host) and
# by Ctrl+Q. panel_atspi.py does the driving; this script sets up the home, the
# services and the app, and checks what quitting leaves.
# Usage: panel.sh <path-to-pellix-widget>   (PANEL_SCREENSHOTS=dir keeps panel-widgets.png, panel-extensions.png and panel-settings.png)
set -u
app=$1
. "$(dirname "$0")/support/harness.sh"
needs DBUS_SESSION_BUS_ADDRESS "the private buses"
serve_weather   # the geocoder always finds Milano
# The same geocoder, 3 s late for "Lenta": a search the user abandons before its answer.
geocoder_port=$(free_port)
/usr/bin/python3 - "$geocoder_port" "$repo_dir/tests/system/services" >"$root/geocoder.out" 2>&1 <<'EOF' &
import functools, http.server, sys, time
class Late(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        if "name=Lenta" in self.path:
            time.sleep(3)
        super().do_GET()
http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])),
                                functools.partial(Late, directory=sys.argv[2])).serve_forever()
EOF
pids+=($!)
wait_for 10 /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1',$geocoder_port),1)"
export PELLIX_GEOCODING_URL=http://127.0.0.1:$geocoder_port
trayer --edge top --align right --widthtype pixel --width 40 --height 24 --SetDockType true >"$root/trayer.out" 2>&1 &
pids+=($!)
wait_for 10 xdotool search --onlyvisible --class trayer

# The accessibility bus and registry on the private session bus; Qt's bridge on without a desktop setting.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$root/atspi.out" 2>&1 &
pids+=($!)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
[ -n "${PANEL_SCREENSHOTS:-}" ] && hsetroot -add '#1f4e79' -add '#6a3d7a' -gradient 135 >/dev/null 2>&1
# quits WHAT PID: the app left by itself, with status 0, and took every window with it.
quits() {
  check "$1: the process ends" wait_for 10 gone "$2"
  gone "$2" || kill -KILL "$2"
  wait "$2"; check "$1: with status 0" test $? = 0
  check "$1: no window of the app is left" test -z "$(xdotool search --class pellix-widget)"
  check "$1: the settings are as they were" cmp "$settings_file" "$root/settings-before-quit"
}

# Found beside the System extension, and refused.
mkdir -p "$XDG_DATA_HOME/pellix-widget/extensions"
echo "not a plug-in" >"$XDG_DATA_HOME/pellix-widget/extensions/libnotaplugin.so"
launch
PANEL_SETTINGS=$settings_file PANEL_APP=$app PANEL_KEEP=$root/settings-before-quit \
  /usr/bin/python3 "$harness_dir/../panel_atspi.py" || fail "the panel driven through AT-SPI"
quits '"Esci" in the tray menu' "$app_pid"

# The lock went with it: the next launch is the primary (it stays), and Ctrl+Q quits it.
launch
check "a new launch after quitting is the primary" wait_for 10 panel
sleep 1
check "and keeps running" eval "! gone $app_pid"
cp "$settings_file" "$root/settings-before-quit"
xdotool windowactivate --sync "$(panel)" key --clearmodifiers ctrl+q
quits "Ctrl+Q in the panel" "$app_pid"
finish
