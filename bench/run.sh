#!/usr/bin/env bash
# run.sh BUILD_DIR: every benchmark of the project, one after the other.
set -u
build=${1:-build}
status=0
for b in "$build"/bench/*/*-bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || status=1
done
exit $status
