#!/usr/bin/env bash
# One primary per user and display, with the real app under the test X server:
# launches racing a frozen (SIGSTOPped) primary all leave at once, with status 0,
# and never touch its socket; on a second X display the app starts a primary of
# its own.
# Usage: single_instance.sh <path-to-pellix-widget>
set -u
app=$1
root=$(mktemp -d /tmp/pxone.XXXXXX)
pids=()
cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill -CONT "${pids[i]}" 2>/dev/null; kill -TERM "${pids[i]}" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
export HOME=$root XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data XDG_CACHE_HOME=$root/cache \
       XDG_STATE_HOME=$root/state XDG_RUNTIME_DIR=$root/run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME" -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
failures=0
check() { if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FAIL: $1" >&2; ((failures++)); fi; }
wait_for() {  # wait_for SECONDS CMD...
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ $SECONDS -ge $deadline ] && return 1; sleep 0.05; done
}
panel() { xdotool search --onlyvisible --name '^PellixWidget Control Panel$'; }

"$app" >>"$root/app.log" 2>&1 &
primary=$!; pids+=($primary)
check "first launch shows the control panel" wait_for 10 panel
d=${DISPLAY#*:}; sock=$XDG_RUNTIME_DIR/pellix-widget-x11-${d%%.*}.sock
check "socket in XDG_RUNTIME_DIR ($(basename "$sock"))" test -S "$sock"
inode=$(stat -c %i "$sock" 2>/dev/null)

# Frozen primary: eight launches at once, each must leave by itself with status 0.
kill -STOP $primary
launches=()
start=$(date +%s%N)
for i in 1 2 3 4 5 6 7 8; do
  ( timeout 8 "$app" >>"$root/app.log" 2>&1; echo $? >"$root/launch.$i" ) &
  launches+=($!)
done
for l in "${launches[@]}"; do wait "$l"; done
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
statuses=$(cat "$root"/launch.* | sort | uniq -c | tr -s ' ')
check "8 launches against a frozen primary all exit 0 within the bound ($statuses; ${elapsed} ms)" \
  test "$(cat "$root"/launch.* | sort -u)" = 0
check "the primary's socket is untouched" test "$(stat -c %i "$sock" 2>/dev/null)" = "$inode"
kill -CONT $primary

# A second X display: a primary of its own there.
exec {dfd}<> <(:)
Xvfb -displayfd "$dfd" -screen 0 800x600x24 -nolisten tcp >"$root/xvfb2.log" 2>&1 &
pids+=($!)
n=; read -r -t 10 n <&"$dfd"; exec {dfd}>&-
if [ -n "$n" ]; then
  DISPLAY=:$n "$app" >>"$root/app.log" 2>&1 &
  second=$!; pids+=($second)
  check "on display :$n the app shows its own panel" wait_for 10 env DISPLAY=:$n xdotool search --onlyvisible --name '^PellixWidget Control Panel$'
  check "and keeps running beside the first" eval "kill -0 $second && kill -0 $primary"
else
  check "second Xvfb started" false
fi

[ $failures = 0 ] && echo "all single-instance checks passed" && exit 0
echo "--- app log"; cat "$root/app.log"; exit 1
