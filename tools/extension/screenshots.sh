#!/usr/bin/env bash
# screenshots.sh BUILD_DIR OUT_DIR
# The extension's widgets as pellix-widget-host --render draws them from the
# sample file beside this script (System: this machine), laid on the README's wallpaper gradient.
# Needs no display; uses a throw-away HOME.
set -eu
build=$1; out=$2
host=$build/src/host/pellix-widget-host
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
tmp=$(mktemp -d /tmp/pxe.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$XDG_DATA_HOME/group.com.pellixwidget" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cp "$here/sample-widget-data.json" "$XDG_DATA_HOME/group.com.pellixwidget/widget-data.json"

for v in clock:PellixClockWidget:small weather:PellixWeatherWidget:small music:PellixMusicWidget:small \
         music:PellixMusicWidget:medium battery:PellixBatteryWidget:small battery:PellixBatteryWidget:medium \
         system:PellixSystemWidget:small system:PellixSystemWidget:medium; do
  IFS=: read -r name kind family <<<"$v"
  "$host" --render "$kind" --family "$family" --out "$tmp/w.png"
  w=170; [ "$family" = medium ] && w=340
  convert -size $((w + 40))x210 gradient:'#1f4e79'-'#6a3d7a' "$tmp/w.png" -geometry +20+20 -composite \
    "$out/extension-$name-$family.png"
done
