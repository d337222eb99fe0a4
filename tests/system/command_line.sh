#!/usr/bin/env bash
# Both programs' command lines with no display at all: help and version print
# and exit 0, a wrong option is one line on stderr and status 2, and a program
# that needs a window says in one line that there is no display and exits 1
# (never Qt's abort).
# Usage: command_line.sh <path-to-pellix-widget>   (PELLIX_HOST: the host binary)
set -u
app=$1
host=${PELLIX_HOST:?set PELLIX_HOST to pellix-widget-host}
. "$(dirname "$0")/support/harness.sh"
unset PELLIX_EXTENSION_PATH WAYLAND_DISPLAY

# expect NAME STATUS STDOUT-REGEX STDERR-REGEX -- CMD...: the status and the
# whole of both outputs (an empty regex: nothing at all).
expect() {
  local name=$1 status=$2 out=$3 err=$4; shift 5
  env -u DISPLAY "$@" >"$root/out" 2>"$root/err"
  local got=$? before=$failures
  check "$name: exit status $status" test "$got" = "$status"
  check "$name: stdout" matches "$out" "$root/out"
  check "$name: stderr" matches "$err" "$root/err"
  [ "$failures" = "$before" ] || { echo "--- $name (status $got)"; cat "$root/out" "$root/err"; }
}
matches() {  # REGEX FILE: the whole file matches (an empty REGEX: the file is empty)
  if [ -z "$1" ]; then test ! -s "$2"; else grep -Pzq "\\A$1\\z" "$2"; fi
}

version='\d+\.\d+\.\d+\n'
no_display='[^\n]*: no display: DISPLAY is not set \(start it in an X11 session, or a Wayland one with XWayland\)\n'
expect "app --help" 0 'Usage: pellix-widget \[options\]\n(.*\n)*  -v, --version +Show the version and exit.\n' '' -- "$app" --help
expect "app -v" 0 "pellix-widget $version" '' -- "$app" -v
expect "app --bogus" 2 '' "pellix-widget: Unknown option 'bogus'. \(see --help\)\n" -- "$app" --bogus
expect "app with an argument" 2 '' 'pellix-widget: unexpected argument "extra" \(see --help\)\n' -- "$app" extra
expect "app, Qt's own -platform" 2 '' "pellix-widget: Unknown option 'platform'. \(see --help\)\n" -- "$app" -platform xcb
expect "app without a display" 1 '' "$no_display" -- "$app"
expect "app on a display nobody serves" 1 '' 'pellix-widget: cannot open display ":4242"\n' -- env DISPLAY=:4242 "$app"

expect "host --version" 0 "pellix-widget-host $version" '' -- "$host" --version
expect "host --help-all is not offered" 2 '' "pellix-widget-host: Unknown option 'help-all'.\n" -- "$host" --help-all
expect "host --show without a display" 1 '' "$no_display" -- "$host" --show
expect "host --list needs no display" 0 '(\S[^\n]*\n(\tPellix\w+Widget\t[^\n]*\n)+){2}' '' -- "$host" --list

# The language the environment asks for, read by Qt itself (no generated locales
# needed): LANGUAGE, LC_ALL, LC_MESSAGES, LANG; the first shipped one, else English.
for case in 'Orologio:LANGUAGE=it LANG=de_DE.UTF-8' 'Uhr:LANGUAGE=pt:de LANG=C.UTF-8' 'Horloge:LANG=fr_FR.UTF-8' \
            'Reloj:LC_ALL=es_ES.UTF-8 LANG=de_DE.UTF-8' 'Clock:LANG=ja_JP.UTF-8' 'Clock:LANG=C.UTF-8'; do
  # shellcheck disable=SC2086
  got=$(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG ${case#*:} "$host" --list 2>/dev/null | grep -m1 $'^\t' | cut -f3)
  check "${case#*:}: the host lists \"Pellix - ${case%%:*}\" (got \"$got\")" test "$got" = "Pellix - ${case%%:*}"
done

finish
