#!/usr/bin/env bash
# run.sh BUILD_DIR: runs every benchmark built from bench/bench_*.cpp.
set -eu
build=$1
for exe in "$build"/bench/bench_*; do
  [ -x "$exe" ] || continue
  echo "== $(basename "$exe")"
  "$exe"
done
