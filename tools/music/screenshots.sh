#!/usr/bin/env bash
# screenshots.sh BUILD_DIR OUT_DIR
# Run under scripts/test-env.sh (X server, window manager, compositor). The real
# app shows the now-playing widget, small and then medium, while mpv plays a
# track with cover art on a private session bus; one crop per size, plus the
# waiting message once mpv is paused.
set -eu
build=$1; out=$2
src=$(cd "$(dirname "$0")/../.." && pwd)
app=$build/src/app/pellix-widget
mkdir -p "$out"
tmp=$(mktemp -d /tmp/pxshot.XXXXXX); pids=()
trap 'for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null; done; rm -rf "$tmp"' EXIT

convert -size 1440x900 gradient:'#4f86c6'-'#e0a05a' "$tmp/wall.png"
hsetroot -fill "$tmp/wall.png" >/dev/null
. "$src/scripts/music-peers.sh"
start_session_bus "$tmp"
start_mpv "$tmp" "radial-gradient:#ffb35c-#a0286a"
unset PELLIX_MUSIC_SOURCE

# shot NAME SIZE: the app in a fresh home with only the music widget, cropped around it.
shot() {
  local home=$tmp/home-$1 w
  mkdir -p "$home/config" -m 700 "$home/run"
  echo "{\"widget.music.enabled\": true, \"widget.music.size\": \"$2\"}" >"$home/config/group.com.pellixwidget.json"
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run "$app" >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 100); do w=$(xdotool search --onlyvisible --name '^music$' | head -1) && [ -n "$w" ] && break; sleep 0.1; done
  sleep 1.5
  eval "$(xdotool getwindowgeometry --shell "$w")"
  import -window root "$tmp/root.png"
  convert "$tmp/root.png" -crop $((WIDTH + 20))x$((HEIGHT + 20))+$((X - 10))+$((Y - 10)) +repage "$out/$1.png"
  kill "$pid"; wait "$pid" 2>/dev/null || true
}
shot music-small small
shot music-medium medium
mpris_call mpv PlayPause
shot music-waiting medium
