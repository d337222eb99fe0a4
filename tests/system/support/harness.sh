# Sourced by the whole-app scripts of tests/system: a throw-away home, processes
# stopped by PID on exit, checks that count failures, bounded waits, private X
# displays, the local weather services and the app's windows. The caller sets
# `set -u` (and `app`, for launch) and defines nothing of these names.

# use_home DIR: HOME and every XDG_* directory under DIR (the runtime one private);
# $settings_file and $shared_file are the app's files there.
use_home() {
  export HOME=$1 XDG_CONFIG_HOME=$1/config XDG_DATA_HOME=$1/data XDG_CACHE_HOME=$1/cache \
         XDG_STATE_HOME=$1/state XDG_RUNTIME_DIR=$1/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME" && mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  settings_file=$XDG_CONFIG_HOME/group.com.pellixwidget.json
  shared_file=$XDG_DATA_HOME/group.com.pellixwidget/widget-data.json
}
# A fresh home in $root (removed on exit).
root=$(mktemp -d /tmp/pxsys.XXXXXX)
use_home "$root"
unset QT_QPA_PLATFORM
harness_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(cd "$harness_dir/../../.." && pwd)

# pids: stopped in reverse order on exit (frozen ones thawed first); cleanups:
# commands run after that, before $root goes.
pids=() cleanups=()
harness_cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill -CONT "${pids[i]}" 2>/dev/null; kill -TERM "${pids[i]}" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  for c in "${cleanups[@]}"; do eval "$c"; done
  rm -rf "$root"
}
trap harness_cleanup EXIT
trap 'exit 130' INT TERM

failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# check DESCRIPTION CMD...: one line, ok or FAIL, by the command's status.
check() { if "${@:2}" >/dev/null 2>&1; then ok "$1"; else fail "$1"; fi; }
# wait_for SECONDS CMD...: until CMD succeeds, at most SECONDS.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ $SECONDS -ge $deadline ] && return 1; sleep 0.05; done
}
# Ends the script: status 1 when a check failed (with the logs of the run), else 0.
finish() {
  if [ $failures -ne 0 ]; then
    for f in "$root"/*.log; do [ -s "$f" ] && { echo "--- ${f##*/}"; tail -n 60 "$f"; }; done
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
# needs VAR DESCRIPTION: stops the script unless scripts/test-env.sh set VAR.
needs() { [ -n "${!1:-}" ] || { echo "needs $2 of scripts/test-env.sh" >&2; exit 1; }; }

# launch [VAR=VALUE...]: the app in the background ($app_pid), its output in app.log.
launch() { env "$@" "$app" >>"$root/app.log" 2>&1 & app_pid=$!; pids+=($app_pid); }
stop() { kill -TERM "$app_pid"; wait "$app_pid" 2>/dev/null; }
# gone PID: the process has exited (a zombie of ours, not yet waited for, counts as gone).
gone() { ! grep -qv ') Z ' "/proc/$1/stat" 2>/dev/null; }
# saved_position WIDGET: its stored y-up origin as "x y".
saved_position() {
  /usr/bin/python3 -c 'import json,sys; p=json.loads(json.load(open(sys.argv[1]))[sys.argv[2]]); print(round(p["x"]), round(p["y"]))' \
    "$settings_file" "widget.$1.position" 2>/dev/null
}
# answers_launches N: N requests of a second launch at the primary's socket on
# $DISPLAY, 0.7 s apart, each acknowledged within 1 s (the GUI thread is not stuck).
answers_launches() {
  local d=${DISPLAY#*:}
  /usr/bin/python3 - "$XDG_RUNTIME_DIR/pellix-widget-x11-${d%%.*}.sock" "$1" <<'PY'
import socket, sys, time
for _ in range(int(sys.argv[2])):
    with socket.socket(socket.AF_UNIX) as s:
        s.settimeout(1)
        s.connect(sys.argv[1]); s.sendall(b"show\n")
        if s.makefile("rb").readline() != b"ok\n":  # times out after 1 s
            sys.exit(1)
    time.sleep(0.7)
PY
}
# window TITLE: the id of the first visible window with exactly that title.
window() { xdotool search --onlyvisible --name "^$1\$" | head -1 | grep .; }
panel() { window 'PellixWidget Control Panel'; }
# content_origin WINDOW: Qt (y-down) top-left of a widget's content, inside its 10 px shadow margin.
content_origin() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo $((X + 10)) $((Y + 10)); }
# drag WINDOW X Y [DX DY]: presses at (DX, DY) in the content (default its small
# size's middle) and drops the content's top-left at (X, Y), in eight steps.
drag() {
  local w=$1 dx=${4:-85} dy=${5:-85} cx cy f
  read -r cx cy <<<"$(content_origin "$w")"
  xdotool mousemove $((cx + dx)) $((cy + dy)) mousedown 1; sleep 0.1
  for f in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((cx + dx + ($2 - cx) * f / 8)) $((cy + dy + ($3 - cy) * f / 8)); sleep 0.04
  done
  sleep 0.2; xdotool mouseup 1; sleep 0.3
}
# dark_pixels WINDOW: pixels darker than 20 % inside the content (the System's
# text); the glass over the grey desktop has none.
dark_pixels() {
  import -window "$1" -crop 150x150+20+20 +repage "$root/content.png"
  convert "$root/content.png" -alpha off -colorspace gray -threshold 20% -negate \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
# published EXPR: a Python expression is true of the shared record `d`, its
# battery list `b` and its music section `m`.
published() {
  /usr/bin/python3 -c 'import json,sys
d=json.load(open(sys.argv[1])); b=d.get("battery",[]); m=d.get("music")
sys.exit(0 if eval(sys.argv[2]) else 1)' "$shared_file" "$1"
}
# timeline_matches KIND: the timeline of the host ($host) carries exactly what the file holds now.
timeline_matches() {
  "$host" --timeline "$1" >"$root/timeline.json" 2>>"$root/host.log" && /usr/bin/python3 -c '
import json, sys
t = json.load(open(sys.argv[1])); d = json.load(open(sys.argv[2]))
sys.exit(0 if len(t["entries"]) == 1 and t["entries"][0]["data"] == d else 1)' "$root/timeline.json" "$shared_file"
}
# wakeups_over SECONDS: times the app's threads were put on a CPU, followed once a
# second so that a thread that ends meanwhile keeps what it counted.
wakeups_over() {
  local -A last=() ; local total=0 i f tid n
  for ((i = 0; i <= $1; i++)); do
    for f in /proc/$app_pid/task/*/schedstat; do
      tid=${f%/schedstat}; tid=${tid##*/}
      read -r _ _ n <"$f" 2>/dev/null || continue
      if [ -n "${last[$tid]:-}" ]; then total=$((total + n - last[$tid])); elif ((i > 0)); then total=$((total + n)); fi
      last[$tid]=$n
    done
    ((i < $1)) && sleep 1
  done
  echo $total
}
# shows_now SHOT...: the small analog clock whose content starts at $clock_x,$clock_y
# shows the current second in the picture that `SHOT... FILE` takes: its second
# hand (accent red) points at a second from the shot's start to its end (it may
# straddle an edge or, on a loaded machine, two).
shows_now() {
  local before after s x y
  before=$(date +%s); "$@" "$root/now.png"; after=$(date +%s)
  for ((s = before; s <= after; s++)); do
    x=$((clock_x + 85 + $(awk -v s="$s" 'BEGIN {printf "%d", 40 * sin(s % 60 * 6 * 3.14159265 / 180)}')))
    y=$((clock_y + 85 - $(awk -v s="$s" 'BEGIN {printf "%d", 40 * cos(s % 60 * 6 * 3.14159265 / 180)}')))
    convert "$root/now.png" -crop "3x3+$((x - 1))+$((y - 1))" -depth 8 txt:- 2>/dev/null |
      grep -o ': ([0-9]*,[0-9]*,[0-9]*' | tr -d ':( ' |
      awk -F, '$1 > 200 && $2 < 120 && $3 < 120 {red = 1} END {exit !red}' && return 0
  done
  return 1
}
# ms_since T: milliseconds from bash's EPOCHREALTIME T to now.
ms_since() { local now=$EPOCHREALTIME; echo $(( (${now/./} - ${1/./}) / 1000 )); }
# current_since T WHAT SHOT...: within 1 s of EPOCHREALTIME T the clock shows the
# current second (shows_now SHOT...). Timed to the millisecond from T to the start
# of the shot that shows it: a whole-second wait may end anywhere in its last
# second, which once read as a late clock.
current_since() {
  local latency
  while latency=$(ms_since "$1"); ((latency <= 1000)); do
    shows_now "${@:3}" && { ok "$2: the clock shows the current second after $latency ms"; return; }
    sleep 0.05
  done
  fail "$2: the clock not current after 1 s"
}
free_port() { /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
# serve DIR: a local HTTP server of DIR on $port, its requests in http.log.
serve() {
  port=$(free_port)
  /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$1" >"$root/http.log" 2>&1 &
  pids+=($!)
  wait_for 10 /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1',$port),1)" \
    || { echo "local HTTP server did not start" >&2; exit 1; }
}
# serve_weather: the three weather services' answers, from tests/system/services.
serve_weather() {
  serve "$repo_dir/tests/system/services"
  export PELLIX_IPLOCATION_URL=http://127.0.0.1:$port PELLIX_GEOCODING_URL=http://127.0.0.1:$port \
         PELLIX_FORECAST_URL=http://127.0.0.1:$port
}

# start_x SIZE: a private Xvfb without a screen saver of its own (the number it
# picked in $x_display, e.g. ":5").
start_x() {
  local dfd n=
  exec {dfd}<> <(:)
  Xvfb -displayfd "$dfd" -screen 0 "${1}x24" -s 0 -nolisten tcp -noreset >"$root/xvfb-$RANDOM.out" 2>&1 &
  pids+=($!)
  read -r -t 10 n <&"$dfd"
  exec {dfd}>&-
  [ -n "$n" ] || { echo "Xvfb did not start" >&2; exit 1; }
  x_display=:$n
}
# start_wm: openbox on $DISPLAY, waited for.
start_wm() {
  openbox --sm-disable >"$root/openbox.out" 2>&1 &
  pids+=($!)
  wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
}

# start_atspi: the accessibility bus and registry on the private session bus, Qt's bridge on for the app.
start_atspi() {
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$root/atspi.out" 2>&1 & pids+=($!)
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
# On the accessibility bus: the window of an accessible name of the program
# (pellix-widget unless ATSPI_APP names another), the label in it, the time of
# day now and a minute ago.
atspi_py='
import os, re, sys, time, pyatspi
APP = os.environ.get("ATSPI_APP", "pellix-widget")
def children(n): return [c for c in map(n.getChildAtIndex, range(n.childCount)) if c is not None]
def window(name):
    app = next(a for a in children(pyatspi.Registry.getDesktop(0)) if a.name == APP)
    return next(w for w in children(app) if w.name == name and w.getRole() == pyatspi.ROLE_FRAME)
def find(name, test): return pyatspi.findDescendant(window(name), lambda n: n is not None and test(n))
def label(name): return find(name, lambda n: n.getRole() == pyatspi.ROLE_LABEL)
def now_hm(): return {time.strftime("%H:%M", time.localtime(time.time() - ago)) for ago in (0, 60)}
'
# said WINDOW EXPR: the label in that window has a name `t` and a text `full` (read when asked for) that make EXPR true.
said() {
  /usr/bin/python3 -c "$atspi_py"'
l = label(sys.argv[1]); t = l.name; full = l.queryText().getText(0, -1)
sys.exit(0 if eval(sys.argv[2]) else 1)' "$1" "$2"
}
# press WINDOW BUTTON: the push button of that name pressed through its action, as a screen reader does.
press() {
  /usr/bin/python3 -c "$atspi_py"'
find(sys.argv[1], lambda n: n.name == sys.argv[2] and n.getRole() == pyatspi.ROLE_PUSH_BUTTON).queryAction().doAction(0)' "$1" "$2"
}
# listen: from now on each name the program announces as changed goes to $root/said.log as "WINDOW<tab>NAME".
# announced WINDOW EXPR: since then, a name in that window was announced as a text `t` that makes EXPR true.
listen() {
  /usr/bin/python3 -u -c "$atspi_py"'
def changed(event):
    w = event.source
    while w is not None and w.getRole() != pyatspi.ROLE_FRAME:
        w = w.parent
    if event.host_application and event.host_application.name == APP:
        print((w.name if w is not None else "") + "\t" + event.source.name, flush=True)
pyatspi.Registry.registerEventListener(changed, "object:property-change:accessible-name")
print("listening", flush=True)
pyatspi.Registry.start()' >"$root/said.log" 2>"$root/listen.log" & pids+=($!)
  wait_for 10 grep -q '^listening' "$root/said.log"
}
announced() {
  /usr/bin/python3 -c 'import sys
lines = [l.rstrip("\n").split("\t", 1) for l in open(sys.argv[1]) if "\t" in l]
sys.exit(0 if any(w == sys.argv[2] and eval(sys.argv[3], {"t": t}) for w, t in lines) else 1)' "$root/said.log" "$1" "$2"
}
