#!/usr/bin/env bash
# app-clock-footprint.sh BUILD_DIR [ROUNDS]
# CPU, RSS and wakeups of the whole app with only the clock switched on
# (analogue, small) against conky drawing a seconds clock, 60 s each,
# alternating, each under its own Xvfb + openbox + picom through the shared
# footprint meter (MEASURE_FOOTPRINT, default ../shared/tools/measure-footprint.sh).
set -u
build=$(cd "${1:?build dir}" && pwd); rounds=${2:-2}
here=$(cd "$(dirname "$0")" && pwd)
meter=${MEASURE_FOOTPRINT:-$here/../../shared/tools/measure-footprint.sh}
[ -f "$meter" ] || { echo "footprint meter not found: $meter (set MEASURE_FOOTPRINT)" >&2; exit 2; }
base=$(mktemp -d /tmp/pxfoot.XXXXXX)
trap 'rm -rf "$base"' EXIT
mkdir -p "$base/config"
echo '{"widget.clock.enabled": true, "widget.clock.style": "analog", "widget.clock.size": "small"}' \
  >"$base/config/group.com.pellixwidget.json"
for ((r = 1; r <= rounds; r++)); do
  MEASURE_BASE=$base bash "$meter" -c -w 60 -l "pellix-widget clock-only round $r" "$build/src/app/pellix-widget"
  bash "$meter" -c -w 60 -l "conky-seconds-clock round $r" conky -c "$here/conky-clock.conf"
done
