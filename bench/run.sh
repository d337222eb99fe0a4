#!/usr/bin/env bash
# run.sh BUILD_DIR: every hot-path benchmark of the project, one after the
# other, then the idle footprint against conky (bench/footprint/run.sh, about
# five minutes; ROUNDS, WINDOW, WARMUP and STARTS shorten it, FOOTPRINT=0 skips it).
set -u
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for b in "$build"/bench/bench_* "$build"/bench/*/*-bench; do
  if [ ! -f "$b" ] || [ ! -x "$b" ]; then continue; fi  # not the build's directories named alike
  echo "== $(basename "$b")"
  "$b" || status=1
done
echo "== extension widget"
bash "$here/footprint/extension.sh" --build "$build" || status=1
if [ "${FOOTPRINT:-1}" != 0 ]; then
  echo "== footprint"
  bash "$here/footprint/run.sh" --build "$build" || status=1
fi
exit $status
