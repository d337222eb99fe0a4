# Helpers for the whole-program scripts under tests/system (sourced, not run).
# After sourcing: $scratch is a private directory removed on exit, with the
# private home of private_home; `stop_at_exit PID` ends a process on exit.

scratch=$(mktemp -d /tmp/pxsys.XXXXXX)
failures=0
_stop_pids=()
_cleanup() {
  for ((i=${#_stop_pids[@]}-1; i>=0; i--)); do kill -TERM -- "${_stop_pids[i]}" 2>/dev/null; done
  for p in "${_stop_pids[@]}"; do wait "${p#-}" 2>/dev/null; done
  rm -rf "$scratch"
}
trap _cleanup EXIT
trap 'exit 130' INT TERM

# stop_at_exit PID (or -PGID for a whole process group)
stop_at_exit() { _stop_pids+=("$1"); }

# check NAME CMD...: runs CMD, reports ok or FAIL, and counts failures.
check() {
  if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FAIL: $1" >&2; failures=$((failures + 1)); fi
}

# wait_for SECONDS CMD...: retries CMD until it succeeds or the time is up.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ $SECONDS -ge $deadline ] && return 1; sleep 0.1; done
}

# private_home DIR: HOME and the XDG directories under DIR, never the user's.
private_home() {
  export HOME=$1 XDG_CONFIG_HOME=$1/config XDG_DATA_HOME=$1/data XDG_CACHE_HOME=$1/cache \
         XDG_STATE_HOME=$1/state XDG_RUNTIME_DIR=$1/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}

# finish WHAT: the script's verdict from the failures counted by check.
finish() {
  [ "$failures" = 0 ] && { echo "all $1 checks passed"; exit 0; }
  exit 1
}
