# Sourced by the whole-app scripts of tests/system: a throw-away home, processes
# stopped by PID on exit, checks that count failures, bounded waits, and private
# X displays. The caller sets `set -u` and defines nothing of these names.

# A fresh HOME and XDG_* under $root (kept in $root, removed on exit).
root=$(mktemp -d /tmp/pxsys.XXXXXX)
export HOME=$root XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data XDG_CACHE_HOME=$root/cache \
       XDG_STATE_HOME=$root/state XDG_RUNTIME_DIR=$root/run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
settings_file=$XDG_CONFIG_HOME/group.com.pellixwidget.json
shared_file=$XDG_DATA_HOME/group.com.pellixwidget/widget-data.json

pids=()
harness_cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill -CONT "${pids[i]}" 2>/dev/null; kill -TERM "${pids[i]}" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
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
# Ends the script: status 1 when a check failed, with the app's log if there is one.
finish() {
  if [ $failures -ne 0 ]; then
    [ -f "$root/app.log" ] && { echo "--- app log"; cat "$root/app.log"; }
    exit 1
  fi
  echo "all checks passed"
}

# start_x SIZE: a private Xvfb (the number it picked in $x_display, e.g. ":5").
start_x() {
  local dfd n=
  exec {dfd}<> <(:)
  Xvfb -displayfd "$dfd" -screen 0 "${1}x24" -nolisten tcp >"$root/xvfb-$RANDOM.log" 2>&1 &
  pids+=($!)
  read -r -t 10 n <&"$dfd"
  exec {dfd}>&-
  [ -n "$n" ] || { echo "Xvfb did not start" >&2; exit 1; }
  x_display=:$n
}
# start_wm: openbox on $DISPLAY, waited for.
start_wm() {
  openbox --sm-disable >"$root/openbox.log" 2>&1 &
  pids+=($!)
  wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
}
