#!/usr/bin/env bash
# Extension widgets on the desktop, each extension in a process of its own.
# The System example switched on in the settings file is drawn in its glass
# window, dragged, kept through a restart of its frozen process, and found
# where it was dropped after a restart of the app. Then four
# hostile extensions (tests/fixtures) are switched on beside it: while their
# processes crash, hang, exit and run out of memory, the app answers within a
# second, the clock keeps drawing, the System widget stays, each hostile one is
# stopped with its own reason (the crashing one's read in the panel too), and a
# drag while the panel switches a built-in on loses nothing in the settings file.
# Usage: extension_widgets.sh <path-to-pellix-widget>   (PELLIX_FIXTURE_DIR: the hostile plug-ins)
set -u
app=$1
fixtures=${PELLIX_FIXTURE_DIR:?set PELLIX_FIXTURE_DIR to the hostile extensions}
. "$(dirname "$0")/support/harness.sh"
needs DISPLAY "the X server"
needs DBUS_SESSION_BUS_ADDRESS "the private buses"
unset PELLIX_EXTENSION_PATH
system='ext:PellixSystemWidget'
export QT_LOGGING_RULES="pellix.extensions=true"

stored() {
  /usr/bin/python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); sys.exit(0 if eval(sys.argv[2]) else 1)' \
    "$settings_file" "$1"
}

echo "{\"widget.clock.enabled\": true, \"widget.$system.enabled\": true}" >"$settings_file"
# The dynamic linker's tracing deepens any lazy binding left in the set-up of the
# extension's process, which Qt runs on a small stack of the app's: it overwrote
# the app's frames and the app crashed as the extension started.
launch LD_DEBUG=bindings LD_DEBUG_OUTPUT="$root/ld"
if wait_for 15 window "$system"; then
  ok "the System widget is on the desktop"
  sleep 1
  [ "$(dark_pixels "$(window "$system")")" -gt 100 ] && ok "its content is drawn in the glass" \
    || fail "no content in the System widget"
  drag "$(window "$system")" 400 300
  check "its dropped place is saved under its own key" \
    wait_for 5 stored "d.get('widget.$system.position') == '{\"x\":400,\"y\":' + str(900 - 300 - 170) + '}'"
  # A process that stops answering (frozen) is killed and started again; its window keeps the last frame.
  child=$(pgrep -P "$app_pid" -f -- --serve)
  kill -STOP "$child"
  check "a frozen extension process is ended" wait_for 15 grep -q 'ended: non risponde da 5 s' "$root/app.log"
  [ "$(dark_pixels "$(window "$system")")" -gt 100 ] && ok "its window keeps the last frame meanwhile" \
    || fail "the System widget lost its frame while its process restarted"
  check "and started again" wait_for 10 sh -c "pgrep -P $app_pid -f -- --serve | grep -vx $child"
else
  fail "no System widget window"
fi
stop
launch
wait_for 15 window "$system" && sleep 0.3
[ "$(content_origin "$(window "$system")")" = "400 300" ] && ok "it comes back where it was dropped" \
  || fail "after a restart at $(content_origin "$(window "$system")")"
stop

# Switched off, its extension still says hello (for the panel), then no process stays.
/usr/bin/python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); d[sys.argv[2]]=False; json.dump(d,open(sys.argv[1],"w"))' \
  "$settings_file" "widget.$system.enabled"
: >"$root/app.log"
launch
wait_for 15 grep -q 'let go .*PellixSystemExtension' "$root/app.log" && sleep 2.5
! pgrep -P "$app_pid" >/dev/null && ok "with no extension widget on, no extension process stays" \
  || fail "processes left: $(pgrep -a -P "$app_pid")"
stop
/usr/bin/python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); d[sys.argv[2]]=True; json.dump(d,open(sys.argv[1],"w"))' \
  "$settings_file" "widget.$system.enabled"

# The hostile four beside it.
hostile=(Crash Spin Exit Grow)
/usr/bin/python3 - "$settings_file" "${hostile[@]}" <<'PY'
import json, sys
d = json.load(open(sys.argv[1]))
for h in sys.argv[2:]:
    d[f"widget.ext:Hostile{h}.enabled"] = True
json.dump(d, open(sys.argv[1], "w"))
PY
cp "$settings_file" "$root/before.json"
: >"$root/app.log"
start_atspi
launch PELLIX_EXTENSION_PATH="$fixtures"
wait_for 15 window "$system" || fail "no System widget beside the hostile ones"
wait_for 20 panel || fail "no panel"
slow=0 missing=0 frozen=0 last=
deadline=$((SECONDS + 75))
while [ $SECONDS -lt $deadline ]; do
  answers_launches 1 || ((slow++))
  # Looked for again once: a search fails (BadWindow) when a window closes during it.
  wait_for 1 window clock && wait_for 1 window "$system" || ((missing++))
  # The clock's second hand moves: its pixels change from one look to the next.
  # Looked at only when found: import without a window waits for a click.
  if clock=$(window clock); then
    shot=$(timeout 5 import -window "$clock" -crop 150x150+20+20 +repage png:- | md5sum)
    [ "$shot" = "$last" ] && ((frozen++)); last=$shot
  fi
  stopped=$(grep -c ' stopped: ' "$root/app.log")
  [ "$stopped" -ge 4 ] && break
  sleep 0.5
done
[ $slow -eq 0 ] && ok "the app answered within 1 s throughout" || fail "$slow launches not answered within 1 s"
[ $missing -eq 0 ] && ok "the clock and the System widget stayed" || fail "$missing looks without them"
[ $frozen -le 1 ] && ok "the clock kept drawing" || fail "the clock looked the same $frozen times"
reason() { grep -q "Hostile$1.so stopped: $2\$" "$root/app.log"; }
check "the crashing one stopped: crashed (signal 11)" reason Crash 'si è chiuso in modo anomalo (segnale 11)'
check "the spinning one stopped: hung in its provider" reason Spin 'bloccato nel suo provider per 5 s'
check "the exiting one stopped: exited on its own" reason Exit 'è uscito da solo (stato 0)'
check "the growing one stopped: ran past its memory cap" reason Grow 'ha superato il suo limite di memoria di 256 MB'
for h in "${hostile[@]}"; do
  window "ext:Hostile$h" >/dev/null && fail "Hostile$h's window is still there"
done

# The crashing one's note in the panel, read as a screen reader does; then a
# drag in the extension widget while the panel switches the weather on.
export PANEL_SETTINGS=$settings_file
drag "$(window "$system")" 600 400 &
drag_pid=$!
/usr/bin/python3 - <<'PY'
import sys, time, pyatspi
def find(root, name, role):
    return pyatspi.findDescendant(root, lambda n: n is not None and n.name == name and n.getRole() == role)
desktop = pyatspi.Registry.getDesktop(0)
app = next(a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)) if a and a.name == "pellix-widget")
note = find(app, "com.pellixwidget.tests.HostileCrash", pyatspi.ROLE_PANEL)
texts = [note.getChildAtIndex(i).name for i in range(note.childCount)] if note else []
stopped = "Fermata" in texts and "si è chiuso in modo anomalo (segnale 11)" in texts
print(f"the panel's note on the crashing one: {texts}")
card = find(app, "Meteo", pyatspi.ROLE_PANEL)
switch = find(card, "Meteo", pyatspi.ROLE_CHECK_BOX)
actions = switch.queryAction()
actions.doAction([actions.getName(i) for i in range(actions.nActions)].index("Toggle"))
sys.exit(0 if stopped else 2)
PY
case $? in
  0) ok "the panel says the crashing one stopped, and why (in Italian)" ;;
  2) fail "the crashing one's note in the panel" ;;
  *) fail "the weather switch was not found on the accessibility bus" ;;
esac
wait $drag_pid
check "the weather switched on is saved" wait_for 5 stored "d.get('widget.weather.enabled') is True"
check "the drag is saved beside it" wait_for 5 stored "d.get('widget.$system.position') == '{\"x\":600,\"y\":' + str(900 - 400 - 170) + '}'"
/usr/bin/python3 -c '
import json, sys
before, after = (json.load(open(f)) for f in sys.argv[1:])
lost = [k for k in before if k not in after or (after[k] != before[k] and not k.endswith(".position"))]
sys.exit(1 if lost else 0)' "$root/before.json" "$settings_file" && ok "nothing in the settings file was lost" \
  || fail "settings lost: $(cat "$settings_file")"
finish
