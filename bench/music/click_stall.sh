#!/usr/bin/env bash
# click_stall.sh APP [SILENT_NAMES] [CLICKS]   (run under scripts/test-env.sh)
# How long the app's GUI thread stalls when the now-playing widget's "next" is
# clicked CLICKS times (default 10, 0.1 s apart) while mpv plays beside MPRIS
# names that never answer (default "browser"; e.g. "spotify browser"). A probe
# asks the single-instance socket for a second launch every 50 ms meanwhile
# and prints the longest wait for its acknowledgement, and how many waited
# over 100 ms.
set -u
app=$(realpath "${1:?app}"); silent=${2:-browser}; clicks=${3:-10}
. "$(dirname "$0")/../../tests/system/support/harness.sh"
. "$repo_dir/scripts/music-peers.sh"
unset PELLIX_MUSIC_SOURCE
start_mpv "$root" || { echo "mpv did not start" >&2; exit 1; }
for name in $silent; do
  /usr/bin/python3 "$repo_dir/tests/peers/mpris_player.py" "$name" --silent & pids+=($!)
done
echo '{"widget.music.enabled": true, "widget.music.size": "medium"}' >"$settings_file"
launch
wait_for 10 window music || { echo "no music window" >&2; exit 1; }
w=$(window music)
sleep 2
d=${DISPLAY#*:}
/usr/bin/python3 - "$XDG_RUNTIME_DIR/pellix-widget-x11-${d%%.*}.sock" $((clicks / 10 + 6)) <<'PY' &
import socket, sys, time
waits, end = [], time.monotonic() + float(sys.argv[2])
while time.monotonic() < end:
    t = time.monotonic()
    with socket.socket(socket.AF_UNIX) as s:
        s.settimeout(30)
        s.connect(sys.argv[1]); s.sendall(b"show\n"); s.makefile("rb").readline()
    waits.append(time.monotonic() - t)
    time.sleep(0.05)
print(f"launch acks: {len(waits)}, longest {max(waits) * 1000:.0f} ms, "
      f"over 100 ms: {sum(w > 0.1 for w in waits)}, total wait {sum(waits):.2f} s")
PY
probe=$!
sleep 0.5
read -r cx cy <<<"$(content_origin "$w")"
xdotool mousemove $((cx + 282)) $((cy + 132)) click --repeat "$clicks" --delay 100 1
wait $probe
