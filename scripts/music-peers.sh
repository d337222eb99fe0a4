# Source this: a player for system tests, screenshots and benchmarks. A private
# session bus of its own, and mpv with its MPRIS plug-in playing two tagged
# tones (with cover.png beside them) on a null audio output. Processes started
# here are appended to the caller's `pids` array; the caller stops them.

# start_session_bus DIR: exports DBUS_SESSION_BUS_ADDRESS of a new bus with its socket in DIR.
start_session_bus() {
  local here out
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  sed "s|@SOCK@|$1/session-bus|" "$here/dbus/session-bus.conf.in" >"$1/session-bus.conf"
  out=$(dbus-daemon --config-file="$1/session-bus.conf" --fork --nosyslog --print-address=1 --print-pid=1) || return 1
  pids+=("$(echo "$out" | sed -n 2p)")
  export DBUS_SESSION_BUS_ADDRESS=$(echo "$out" | sed -n 1p)
}

mpris_get() {  # NAME PROPERTY: the property of org.mpris.MediaPlayer2.NAME's player, as gdbus prints it
  gdbus call --session --timeout 2 --dest "org.mpris.MediaPlayer2.$1" --object-path /org/mpris/MediaPlayer2 \
    --method org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player "$2"
}

mpris_call() {  # NAME METHOD: PlayPause, Next, ... on org.mpris.MediaPlayer2.NAME
  gdbus call --session --timeout 2 --dest "org.mpris.MediaPlayer2.$1" --object-path /org/mpris/MediaPlayer2 \
    --method "org.mpris.MediaPlayer2.Player.$2" >/dev/null
}

# start_mpv DIR [COVER]: the tones "Onda Lunga" by "Coro di Prova" and "Seconda Onda" by
# "Altro Coro" in DIR with cover.png beside them drawn from COVER (an ImageMagick image
# description, default a dark blue gradient); returns once mpv publishes the artist (its tags
# follow its bus name by up to 0.3 s).
start_mpv() {
  local dir=$1
  sox -n -r 44100 -c 2 --comment "TITLE=Onda Lunga" --add-comment "ARTIST=Coro di Prova" "$dir/t1.ogg" \
    synth 30 sine 440 vol 0.3 || return 1
  sox -n -r 44100 -c 2 --comment "TITLE=Seconda Onda" --add-comment "ARTIST=Altro Coro" "$dir/t2.ogg" \
    synth 30 sine 550 vol 0.3 || return 1
  convert -size 300x300 "${2:-gradient:#3366cc-#1a1a40}" "$dir/cover.png" || return 1
  mpv --no-config --script=/usr/lib/mpv-mpris/mpris.so --no-video --ao=null --loop-playlist=inf \
    --input-terminal=no --really-quiet "$dir/t1.ogg" "$dir/t2.ogg" </dev/null >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 200); do
    mpris_get mpv Metadata 2>/dev/null | grep -q 'Coro' && return 0
    sleep 0.05
  done
  return 1
}
