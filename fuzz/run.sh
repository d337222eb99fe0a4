#!/usr/bin/env bash
# run.sh BUILD_DIR [SECONDS]: runs every fuzz target for SECONDS (default 60) on a
# copy of its seed corpus; findings land in fuzz/findings/.
set -eu
build=$1; seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$here/findings"
for exe in "$build"/fuzz/*_fuzzer; do
  target=$(basename "$exe" _fuzzer)
  work=$(mktemp -d)
  cp "$here/corpus/$target"/* "$work/" 2>/dev/null || true
  echo "== ${target}_fuzzer for ${seconds}s"
  "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$here/findings/${target}-" "$work" 2>&1 | grep -E '^(stat::number_of_executed_units|Done|==[0-9]+==ERROR|SUMMARY)' || true
  rm -rf "$work"
done
