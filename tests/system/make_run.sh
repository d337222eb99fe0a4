#!/usr/bin/env bash
# `make run` without a display: within seconds, before installing or building
# anything, it says what to do and fails; and the virtual display its hint
# starts comes up with a window manager and a compositor, DISPLAY set for each.
# And `make test` where the other release's root cannot run (no CAP_SYS_ADMIN,
# as in an unprivileged container; or not root): one line says why and this
# release's suite runs; under CI it fails before any suite.
# Usage: make_run.sh <path-to-pellix-widget>
set -u
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/tests/system/support/harness.sh"

# Everything that installs or builds records its call instead of working.
mkdir -p "$root/fake"
for tool in apt-get sudo dpkg-query cmake cpack ctest c++ g++ gcc; do
  printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "$tool" "$root" >"$root/fake/$tool"
  chmod +x "$root/fake/$tool"
done
started=$(date +%s%N)
env -u DISPLAY -u WAYLAND_DISPLAY PATH="$root/fake:$PATH" \
  make -s -C "$src" run BUILD="$root/build" >"$root/out" 2>&1
status=$?
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
echo "make run without a display answered in $elapsed_ms ms (status $status)"
check "make run fails" test "$status" -ne 0
check "it says there is no graphical session" grep -q 'there is no graphical session here' "$root/out"
check "nothing was installed or built" test ! -e "$root/calls"
check "the build directory was not even made" test ! -e "$root/build"
check "it answers within 5 s" test "$elapsed_ms" -lt 5000
hint=$(grep -m1 '^ *Xvfb :' "$root/out" | sed 's/^ *//')
check "the hint starts a virtual display" test -n "$hint"
[ "$failures" = 0 ] || cat "$root/out"

# The hint as printed, with `make` standing in for the app: it records what it
# sees once the window manager is up.
cat >"$root/fake/make" <<TXT
#!/bin/sh
for i in \$(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
for i in \$(seq 100); do "$src/scripts/compositor-running.py" && break; sleep 0.1; done
{ echo "DISPLAY=\$DISPLAY args=\$*"; xprop -root _NET_SUPPORTING_WM_CHECK; "$src/scripts/compositor-running.py" && echo composited; } >"$root/seen.part" 2>&1
mv "$root/seen.part" "$root/seen"
TXT
chmod +x "$root/fake/make"
env -u DISPLAY -u WAYLAND_DISPLAY PATH="$root/fake:$PATH" setsid bash -c "$hint" >"$root/hint.log" 2>&1 &
pids+=("-$!")  # the hint's session: Xvfb, openbox, picom
wait_for 30 test -s "$root/seen"
check "the app is started on the virtual display" grep -Eq '^DISPLAY=:[0-9]+ args=(BUILD=[^ ]+ )?run$' "$root/seen"
check "openbox manages that display" grep -q '_NET_SUPPORTING_WM_CHECK(WINDOW): window id' "$root/seen"
check "a compositor runs on it" grep -qx composited "$root/seen"
[ "$failures" = 0 ] || cat "$root/seen"

# `make test`'s releases, with a make that records them.
mkdir -p "$root/repo/scripts" "$root/repo/bin" && cp "$src"/scripts/{test-releases,debian-root}.sh "$root/repo/scripts/"
printf '#!/bin/sh\necho "$*" >>"%s/suites"\n' "$root" >"$root/repo/bin/make" && chmod +x "$root/repo/bin/make"
host=$(. /etc/os-release && echo "$VERSION_ID") other=$([ "$host" = 12 ] && echo 13 || echo 12)
nocap=(); [ "$(id -u)" -ne 0 ] || nocap=(setpriv --inh-caps=-sys_admin --bounding-set=-sys_admin)
# Outside CI first, whatever the environment running this test says.
make_test() { env "$@" PATH="$root/repo/bin:$PATH" "${nocap[@]}" bash "$root/repo/scripts/test-releases.sh" "$host" "$other"; }
make_test -u CI >"$root/test.out" 2>&1; status=$?
check "make test: this release's suite runs, and passes" test "$status:$(cat "$root/suites")" = "0:--no-print-directory test-$host"
check "the other one is skipped, saying why" grep -q "^Debian $other: skipped, its root cannot run here: ." "$root/test.out"
rm -f "$root/suites"; make_test CI=true >>"$root/test.out" 2>&1; status=$?
check "under CI it fails before any suite" test "$status" -ne 0 -a ! -e "$root/suites"
[ "$failures" = 0 ] || cat "$root/test.out"

finish
