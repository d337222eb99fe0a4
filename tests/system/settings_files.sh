#!/usr/bin/env bash
# The real app against hostile settings and shared files under the test X server:
# a FIFO as the settings file must not freeze start-up, and on a full disk the
# start-up save and the widgets' publishing must leave both files as they were.
# Usage: settings_files.sh <path-to-pellix-widget>
set -u
app=$1
. "$(dirname "$0")/support/harness.sh"
disk=$root/disk
cleanups+=('mountpoint -q "$disk" && umount "$disk"')

mkfifo "$settings_file"
launch
check "a FIFO as the settings file: the control panel still shows" wait_for 10 panel
stop
check "and the FIFO is left alone" test -p "$settings_file"

mkdir "$disk"
if mount -t tmpfs -o size=256k tmpfs "$disk" 2>/dev/null; then
  use_home "$disk" && mkdir -p "$(dirname "$shared_file")"
  echo '{"widget.clock.enabled": true, "widget.battery.enabled": true}' >"$settings_file"
  echo '{"clockStyle":"digital"}' >"$shared_file"
  cp "$settings_file" "$shared_file" "$root/"
  head -c 1M /dev/zero >"$disk/filler" 2>/dev/null  # takes every free page
  launch
  check "on a full disk the clock still opens" wait_for 10 window clock
  sleep 5  # a battery refresh (every 4 s) publishes a record unlike the file's
  stop
  check "the settings file is as it was" cmp "$settings_file" "$root/group.com.pellixwidget.json"
  check "the shared file is as it was" cmp "$shared_file" "$root/widget-data.json"
  check "no temporary file is left" test "$(find "$disk" -name '.*.tmp-*' | wc -l)" = 0
else
  echo "skip: a full disk needs a tmpfs mount (root)"
fi

finish
