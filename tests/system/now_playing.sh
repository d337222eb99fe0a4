#!/usr/bin/env bash
# The real app with the now-playing widget (medium) while mpv plays, on a
# private session bus, under the test X server: the shared file names the
# track; a click on the widget's play/pause button pauses mpv and the next
# refresh publishes it; a press elsewhere still drags the widget; in
# click-through mode the button does nothing.
# Usage: now_playing.sh <path-to-pellix-widget>   (PELLIX_SCREENSHOT=file.png keeps a screenshot)
set -u
app=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d /tmp/pxmus.XXXXXX)
pids=()
cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill -TERM "${pids[i]}" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export HOME=$root XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data XDG_CACHE_HOME=$root/cache \
       XDG_STATE_HOME=$root/state XDG_RUNTIME_DIR=$root/run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME" -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM PELLIX_MUSIC_SOURCE
settings=$XDG_CONFIG_HOME/group.com.pellixwidget.json
shared=$XDG_DATA_HOME/group.com.pellixwidget/widget-data.json

failures=0
check() { if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FAIL: $1" >&2; ((failures++)); fi; }
wait_for() {  # SECONDS CMD...
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ $SECONDS -ge $deadline ] && return 1; sleep 0.1; done
}
published() {  # EXPR over the shared record's music section `m`
  /usr/bin/python3 -c 'import json,sys; m=json.load(open(sys.argv[1]))["music"]; sys.exit(0 if eval(sys.argv[2]) else 1)' \
    "$shared" "$1"
}
mpv_status() { mpris_get mpv PlaybackStatus | grep -q "'$1'"; }
music_window() { xdotool search --onlyvisible --name '^music$' | head -1 | grep .; }
# Qt (y-down) top-left of the widget's content, inside the window's 10 px shadow margin.
content_origin() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo $((X + 10)) $((Y + 10)); }
click_play_pause() {  # the 40-point circle: 18 + 124 + 20 + 32 + 16 + 20 = 230 across, 170 - 18 - 20 = 132 down
  local cx cy
  read -r cx cy <<<"$(content_origin "$1")"
  xdotool mousemove $((cx + 230)) $((cy + 132)) click 1
}

. "$here/../../scripts/music-peers.sh"
start_session_bus "$root" || { echo "session bus did not start" >&2; exit 1; }
start_mpv "$root" || { echo "mpv did not start" >&2; exit 1; }

echo '{"widget.music.enabled": true, "widget.music.size": "medium"}' >"$settings"
"$app" >>"$root/app.log" 2>&1 &
pids+=($!)
app_pid=$!
if wait_for 10 music_window; then
  w=$(music_window)
  check "shared file names mpv's track" \
    wait_for 5 published 'm == {"track": "Onda Lunga", "artist": "Coro di Prova", "artwork": "file://'"$root"'/cover.png", "source": "music", "playing": True}'
  sleep 0.5
  [ -n "${PELLIX_SCREENSHOT:-}" ] && import -window root "$PELLIX_SCREENSHOT"
  click_play_pause "$w"
  check "the play/pause button paused mpv" wait_for 3 mpv_status Paused
  check "the next refresh publishes it" wait_for 4 published 'm == {"playing": False}'
  mpris_call mpv PlayPause
  check "playing again is seen at the next refresh" wait_for 4 published 'm["playing"] and m["track"] == "Onda Lunga"'

  # A press on the art (not a button) drags the window.
  read -r cx cy <<<"$(content_origin "$w")"
  xdotool mousemove $((cx + 60)) $((cy + 85)) mousedown 1; sleep 0.1
  for f in 1 2 3 4 5 6 7 8; do xdotool mousemove $((cx + 60 - 30 * f)) $((cy + 85 + 20 * f)); sleep 0.04; done
  sleep 0.3; xdotool mouseup 1; sleep 0.3
  check "a press on the art drags the widget" test "$(content_origin "$w")" != "$cx $cy"
  check "and sends no command" mpv_status Playing

  kill -TERM "$app_pid"; wait "$app_pid"
  echo '{"widget.music.enabled": true, "widget.music.size": "medium", "widget.music.clickThrough": true}' >"$settings"
  "$app" >>"$root/app.log" 2>&1 &
  pids+=($!)
  if wait_for 10 music_window; then
    sleep 0.5
    click_play_pause "$(music_window)"
    sleep 1
    check "click-through: the button does nothing" mpv_status Playing
  else
    check "music window appears again" false
  fi
else
  check "music window appears" false
fi
[ $failures = 0 ] && echo "all now-playing checks passed" && exit 0
echo "--- app log"; cat "$root/app.log"; exit 1
