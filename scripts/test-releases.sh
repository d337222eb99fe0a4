#!/usr/bin/env bash
# test-releases.sh RELEASE... : `make test-RELEASE` for each Debian release given,
# all of them even when one fails; then each one's time and CTest summary, and
# the tests of all of them in one line. Fails when any release's run fails.
# A release other than this machine's runs in its cached root: where no root
# can run (not root, a chroot, a container) it is skipped, said so in one line,
# unless CI is set: then the run fails at once.
set -u
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || { echo "test-releases: no release given (this is not Debian? RELEASES=12 or 13 chooses)" >&2; exit 2; }
mkdir -p build
host=$(. /etc/os-release 2>/dev/null && echo "${VERSION_ID:-}")
status=0 summary=() passed=0 failed=0 releases=()
for r in "$@"; do
  if [ "$r" != "$host" ] && ! why=$(bash scripts/debian-root.sh check 2>&1); then
    why="its root cannot run here: ${why#debian-root: }"
    [ -z "${CI:-}" ] || { echo "test-releases: Debian $r: $why; CI runs every release" >&2; exit 1; }
    echo "Debian $r: skipped, $why"
    summary+=("Debian $r: skipped, $why")
  else
    releases+=("$r")
  fi
done
for r in "${releases[@]}"; do
  log=build/test-debian-$r.log
  started=$SECONDS
  echo "=== Debian $r"
  make --no-print-directory "test-$r" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  [ "$rc" -eq 0 ] || status=1
  summary+=("Debian $r: $([ "$rc" -eq 0 ] && echo ok || echo FAILED) in $((SECONDS - started)) s; ${line:-no CTest summary}")
  if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1])); passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  fi
done
echo "==="
printf '%s\n' "${summary[@]}"
echo "tests: $passed passed, $failed failed"
exit $status
