#!/usr/bin/env bash
# Time from exec of pellix-widget to its clock window being mapped (viewable,
# seen through X events by bench/exec-to-mapped.c),
# with the clock switched on in a fresh settings file. Prints every run and the median.
# Usage: bench/startup-to-clock.sh <path-to-pellix-widget> [runs]
# Needs a display with a window manager; without one it runs itself under
# scripts/test-env.sh (Xvfb 1440x900 + openbox + picom).
set -u
app=$(readlink -f "$1")
runs=${2:-15}
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec bash "$here/../scripts/test-env.sh" bash "$0" "$app" "$runs"
fi

root=$(mktemp -d /tmp/pxbench.XXXXXX)
pid=
cleanup() { [ -n "$pid" ] && kill -TERM "$pid" 2>/dev/null; sleep 0.2; rm -rf "$root"; }
trap cleanup EXIT
trap 'exit 130' INT TERM

tool=$root/exec-to-mapped
cc -O2 -o "$tool" "$here/exec-to-mapped.c" -lxcb || exit 1

times=()
for i in $(seq "$runs"); do
  home=$root/run$i
  mkdir -p "$home/config" "$home/run" && chmod 700 "$home/run"
  echo '{"widget.clock.enabled": true}' >"$home/config/group.com.pellixwidget.json"
  out=$(HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run \
    "$tool" clock "$app" 2>/dev/null)
  status=$?
  pid=$(echo "$out" | sed -n 2p)
  [ $status = 0 ] || { echo "run $i: no clock window" >&2; exit 1; }
  ms=$(echo "$out" | sed -n 1p | tr -d .)  # tenths of a millisecond
  times+=("$ms")
  printf 'run %2d: %d.%d ms\n' "$i" $((ms / 10)) $((ms % 10))
  kill -TERM "$pid"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.02; done  # not our child: poll until it is gone
  pid=
  sleep 0.2
done

sorted=($(printf '%s\n' "${times[@]}" | sort -n))
n=${#sorted[@]}
if (( n % 2 )); then med=${sorted[n / 2]}; else med=$(( (sorted[n / 2 - 1] + sorted[n / 2]) / 2 )); fi
printf 'median over %d runs: %d.%d ms (min %d.%d, max %d.%d); load average: %s\n' \
  "$n" $((med / 10)) $((med % 10)) $((sorted[0] / 10)) $((sorted[0] % 10)) \
  $((sorted[n - 1] / 10)) $((sorted[n - 1] % 10)) "$(cut -d' ' -f1-3 /proc/loadavg)"
