#!/usr/bin/env bash
# screenshots.sh BUILD_DIR OUT_DIR
# Run under scripts/test-env.sh (X server, window manager, compositor). Puts a
# gradient wallpaper on the root window, shows the clock in both faces, sizes
# and themes at a fixed instant, and saves one crop per variant.
set -eu
build=$1; out=$2
tool=$build/tools/render-views/render-views
mkdir -p "$out"
tmp=$(mktemp -d); pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$tmp"' EXIT

# hsetroot also sets _XROOTPMAP_ID, which the compositor needs to draw the wallpaper.
convert -size 1440x900 gradient:'#4f86c6'-'#e0a05a' "$tmp/wall.png"
hsetroot -fill "$tmp/wall.png" >/dev/null

at=2025-12-05T10:09:32
# name face size theme x y
variants=(
  "clock-analog-small-transparent analog small transparent 40 40"
  "clock-analog-small-opaque analog small opaque 240 40"
  "clock-digital-medium-transparent digital medium transparent 40 260"
  "clock-digital-medium-opaque digital medium opaque 420 260"
  "clock-analog-medium-transparent analog medium transparent 40 480"
  "clock-digital-small-opaque digital small opaque 420 480"
)
for v in "${variants[@]}"; do
  set -- $v
  "$tool" --face "$2" --size "$3" --theme "$4" --at "$at" --pos "$5,$6" >/dev/null 2>&1 &
  pids+=($!)
done
sleep 3
import -window root "$tmp/root.png"
for v in "${variants[@]}"; do
  set -- $v
  w=170; [ "$3" = medium ] && w=340
  # A margin of wallpaper around the widget shows its corners and translucency.
  convert "$tmp/root.png" -crop $((w + 40))x210+$(($5 - 20))+$(($6 - 20)) +repage "$out/$1.png"
done
