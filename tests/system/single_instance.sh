#!/usr/bin/env bash
# One primary per user and display, with the real app under the test X server:
# launches racing a frozen (SIGSTOPped) primary all leave at once, with status 0,
# and never touch its socket; on a second X display the app starts a primary of
# its own; with no private folder no launch runs.
# Usage: single_instance.sh <path-to-pellix-widget>
set -u
app=$1
. "$(dirname "$0")/support/harness.sh"

launch
primary=$app_pid
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
start_x 800x600
launch DISPLAY=$x_display
check "on display $x_display the app shows its own panel" wait_for 10 env DISPLAY=$x_display xdotool search --onlyvisible --name '^PellixWidget Control Panel$'
check "and keeps running beside the first" eval "kill -0 $app_pid && kill -0 $primary"
stop; app_pid=$primary; stop

# Without XDG_RUNTIME_DIR and nowhere private (the cache folder and the
# temporary one are links): no launch runs, and it says why. (The cache folder
# made private again and a hand-over in it: test_single_instance.)
unset XDG_RUNTIME_DIR
export TMPDIR=$root/tmp
mkdir -m 700 "$TMPDIR"
ln -s "$root" "$XDG_CACHE_HOME/pellix-widget" && ln -s "$root" "$TMPDIR/pellix-widget-$(id -u)"
launch; wait_for 10 gone $app_pid; kill $app_pid 2>/dev/null; wait $app_pid; status=$?
check "with no private folder a launch ends with status 1 ($status)" test $status = 1
check "saying why" grep -q "no private folder for the instance lock" "$root/app.log"
finish
