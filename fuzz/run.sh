#!/usr/bin/env bash
# run.sh BUILD_DIR [SECONDS]: runs every fuzz target for SECONDS (default 60) on a
# copy of its seed corpus; findings land in fuzz/findings/. Fails when a target
# finds something or does not run at all.
set -u
build=$1; seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$here/findings"
# Undefined behaviour is a finding too, not a line in the log.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1:suppressions=$here/ubsan.supp}
status=0 ran=0
for exe in "$build"/fuzz/*_fuzzer; do
  [ -x "$exe" ] || continue
  target=$(basename "$exe" _fuzzer)
  work=$(mktemp -d)
  cp "$here/corpus/$target"/* "$work/" 2>/dev/null || true
  echo "== ${target}_fuzzer for ${seconds}s"
  "$exe" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$here/findings/${target}-" "$work" >"$work.log" 2>&1
  rc=$?
  grep -E '^(stat::number_of_executed_units|Done|==[0-9]+==ERROR|SUMMARY)|runtime error' "$work.log"
  [ $rc -eq 0 ] || { echo "${target}_fuzzer: exit status $rc"; tail -20 "$work.log"; status=1; }
  rm -rf "$work" "$work.log"
  ran=$((ran + 1))
done
[ $ran -gt 0 ] || { echo "no fuzz targets in $build/fuzz" >&2; exit 1; }
exit $status
