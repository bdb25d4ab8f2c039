#!/usr/bin/env bash
# Runs a command with a small volume of its own: a 4 MB tmpfs, mapped as a drive of the Wine
# prefix, named to the tests by RECORDER_SMALL_DRIVE (like "S:\"). Mounting needs root; without
# it the command runs without the drive and the tests that need it skip.
#   with_small_drive.sh COMMAND [ARGS...]      (WINEPREFIX set)
set -uo pipefail
: "${WINEPREFIX:?}"
dir=$(mktemp -d /tmp/recorder-small-drive.XXXXXX)
link=""
if [[ $(id -u) == 0 ]] && mount -t tmpfs -o size=4m tmpfs "$dir" 2>/dev/null; then
  for letter in s t u v w x y; do
    [[ -e $WINEPREFIX/dosdevices/$letter: ]] && continue
    link=$WINEPREFIX/dosdevices/$letter:
    ln -s "$dir" "$link"
    export RECORDER_SMALL_DRIVE="${letter^^}:\\"
    break
  done
fi
"$@"
status=$?
[[ -n $link ]] && rm -f "$link"
mountpoint -q "$dir" && umount "$dir"
rmdir "$dir"
exit $status
