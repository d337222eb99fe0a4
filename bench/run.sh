#!/usr/bin/env bash
# run.sh BUILD_DIR: every hot-path benchmark of the project, one after the other.
# The footprint scripts (bench/*footprint.sh, bench/*/footprint.sh) take minutes
# each and are run by hand; see README.
set -u
build=${1:-build}
status=0
for b in "$build"/bench/bench_* "$build"/bench/*/*-bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || status=1
done
exit $status
