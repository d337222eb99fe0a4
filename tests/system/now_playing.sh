#!/usr/bin/env bash
# The real app with the now-playing widget (medium) while mpv plays, on a
# private session bus, under the test X server: the shared file names the
# track; a click on the widget's play/pause button pauses mpv and the next
# refresh publishes it; on the accessibility bus the widget says the track and
# announces its changes, and its buttons' actions skip and pause mpv as a click
# does; beside two players that never answer (one on Spotify's name), a burst
# of clicks on next leaves the app answering second launches; a press elsewhere
# still drags the widget; in click-through mode the button does nothing. A
# player floods 1000 PropertiesChanged a second: it is read at most twice a second (never
# for Position and Volume), within a CPU bound, and its change of track after
# them shows. Then a player on Spotify's name sends a 10-million-character
# title: the app keeps answering second launches within a second, the shared
# file stays small and the extension's host reads it.
# Usage: now_playing.sh <path-to-pellix-widget>   (PELLIX_HOST: the host binary;
# PELLIX_SCREENSHOT=file.png keeps a screenshot)
set -u
app=$1
host=${PELLIX_HOST:?set PELLIX_HOST to pellix-widget-host}
. "$(dirname "$0")/support/harness.sh"
unset PELLIX_MUSIC_SOURCE
mpv_status() { mpris_get mpv PlaybackStatus | grep -q "'$1'"; }
# click_button WINDOW ACROSS [CLICK OPTIONS]: play/pause (the 40-point circle) is at 18 + 124 + 20 + 32 + 16
# + 20 = 230 across, next 20 + 16 + 16 = 52 further, both 170 - 18 - 20 = 132 down.
click_button() {
  local cx cy
  read -r cx cy <<<"$(content_origin "$1")"
  xdotool mousemove $((cx + $2)) $((cy + 132)) click "${@:3}" 1
}
click_play_pause() { click_button "$1" 230; }

. "$repo_dir/scripts/music-peers.sh"
start_session_bus "$root" || { echo "session bus did not start" >&2; exit 1; }
start_mpv "$root" || { echo "mpv did not start" >&2; exit 1; }
start_atspi
listen || { echo "the accessibility bus did not answer" >&2; exit 1; }

echo '{"widget.music.enabled": true, "widget.music.size": "medium"}' >"$settings_file"
launch LANGUAGE=it LANG=it_IT.UTF-8
if wait_for 10 window music; then
  w=$(window music)
  check "shared file names mpv's track" \
    wait_for 5 published 'm == {"track": "Onda Lunga", "artist": "Coro di Prova", "artwork": "file://'"$root"'/cover.png", "source": "music", "playing": True}'
  sleep 0.5
  [ -n "${PELLIX_SCREENSHOT:-}" ] && import -window root "$PELLIX_SCREENSHOT"
  click_play_pause "$w"
  check "the play/pause button paused mpv" wait_for 3 mpv_status Paused
  check "the next refresh publishes it" wait_for 4 published 'm == {"playing": False}'
  mpris_call mpv PlayPause
  check "playing again is seen at the next refresh" wait_for 4 published 'm["playing"] and m["track"] == "Onda Lunga"'

  check "the widget says the track, the player and that it plays" \
    wait_for 1 said "Now Playing" 't == "Onda Lunga, Coro di Prova, mpv, in riproduzione"'
  press "Now Playing" "Brano successivo"
  check "the next button's action skips the track" wait_for 4 published 'm["track"] == "Seconda Onda"'
  check "which is announced within a second" \
    wait_for 1 announced "Now Playing" 't == "Seconda Onda, Altro Coro, mpv, in riproduzione"'
  press "Now Playing" "Metti in pausa"
  check "the button named for pausing pauses mpv" wait_for 3 mpv_status Paused
  check "which is published" wait_for 4 published 'm == {"playing": False}'
  check "and announced within a second" wait_for 1 announced "Now Playing" 't == "In attesa di musica…"'
  mpris_call mpv PlayPause
  wait_for 4 published 'm["playing"]'

  for name in spotify browser; do /usr/bin/python3 "$repo_dir/tests/peers/mpris_player.py" "$name" --silent & silent+=($!); done
  pids+=("${silent[@]}")
  wait_for 5 sh -c 'gdbus call --session --dest org.freedesktop.DBus --object-path / --method \
    org.freedesktop.DBus.NameHasOwner org.mpris.MediaPlayer2.browser | grep -q true'
  click_button "$w" 282 --repeat 9 --delay 100 &
  check "9 clicks on next beside two silent players: second launches answered within 1 s" answers_launches 5
  wait $!
  check "all nine reached mpv" wait_for 4 published 'm["playing"] and m["track"] == "Onda Lunga"'
  kill "${silent[@]}"; wait "${silent[@]}" 2>/dev/null

  # A press on the art (not a button) drags the window.
  read -r cx cy <<<"$(content_origin "$w")"
  drag "$w" $((cx - 240)) $((cy + 160)) 60 85
  check "a press on the art drags the widget" test "$(content_origin "$w")" != "$cx $cy"
  check "and sends no command" mpv_status Playing

  stop
  # The rest as before, without the accessibility bridge: the 10-million-character
  # title already loads the machine to the bound of the player's answer.
  unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON
  echo '{"widget.music.enabled": true, "widget.music.size": "medium", "widget.music.clickThrough": true}' >"$settings_file"
  launch
  if wait_for 10 window music; then
    sleep 0.5
    click_play_pause "$(window music)"
    sleep 1
    check "click-through: the button does nothing" mpv_status Playing

    # A player on Spotify's name floods PropertiesChanged, first of what nobody shows.
    /usr/bin/python3 "$repo_dir/tests/peers/mpris_player.py" spotify --track 1 C "" --track 2 C "" --track 3 C "" &
    flooder=$!; pids+=($flooder)
    to_flooder() { gdbus call --session --timeout 20 --dest org.mpris.MediaPlayer2.spotify \
      --object-path /org/mpris/MediaPlayer2 --method "org.pellix.TestPlayer.$1" "${@:2}" | sed 's/[^ ]* \([0-9]*\),)/\1/'; }
    flood() {  # PROPERTIES TRACK MOST-READS: 1000 signals in 1 s, then the change to TRACK
      local before=$(to_flooder Reads)
      to_flooder Flood 1000 "$1" >/dev/null
      check "1000 PropertiesChanged of $1, then a new track: shown" wait_for 2 published "m['track'] == '$2'"
      check "the player was read at most $3 times (the 3-second poll's too)" test $(($(to_flooder Reads) - before)) -le "$3"
    }
    wait_for 10 published 'm["track"] == "1"' || fail "the flooding player's track was not published"
    flood "['Position', 'Volume']" 2 3
    flood "['Metadata', 'PlaybackStatus']" 3 6
    kill $flooder; wait $flooder 2>/dev/null

    /usr/bin/python3 "$repo_dir/tests/peers/mpris_player.py" spotify --track "Titolo Lungo " "Coro" "" \
      --title-length 10000000 &
    pids+=($!)
    check "from the title's arrival on, the app answers every second launch within 1 s" answers_launches 14
    check "a 10 M-character title is published cut to 300 characters" \
      wait_for 20 published 'm["track"].startswith("Titolo Lungo") and len(m["track"]) == 300'
    size=$(stat -c %s "$shared_file")
    check "the shared file stays small ($size bytes)" test "$size" -lt 8192
    check "the extension's host reads it" timeline_matches PellixMusicWidget
  else
    check "music window appears again" false
  fi
else
  check "music window appears" false
fi
finish
