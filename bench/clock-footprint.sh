#!/usr/bin/env bash
# clock-footprint.sh BUILD_DIR [ROUNDS]
# CPU, RSS and wakeups of the clock (analogue, small, transparent) in its own
# translucent window against conky drawing a seconds clock, each for 60 s under
# its own Xvfb + openbox + picom, alternating, ROUNDS times (default 2).
set -u
build=${1:?build dir}; rounds=${2:-2}
here=$(cd "$(dirname "$0")" && pwd)
meter=${MEASURE_FOOTPRINT:-$(cd "$(dirname "$0")" && pwd)/../../shared/tools/measure-footprint.sh}
tool=$(cd "$build" && pwd)/tools/render-views/render-views
for ((r = 1; r <= rounds; r++)); do
  bash "$meter" -c -w 60 -l "clock-analog-small round $r" \
    "$tool" --face analog --size small --theme transparent
  bash "$meter" -c -w 60 -l "conky-seconds-clock round $r" \
    conky -c "$here/conky-clock.conf"
done
