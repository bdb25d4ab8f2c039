#!/usr/bin/env bash
# Measures what a recording does when it crosses 2 GB, under Wine: once with the engine's file
# size limit out of reach (what AVIFile itself does) and once with it (follow-on files). Each file
# is read with ffprobe (slots and frames) and deleted right after; a run stops at MEGABYTES
# (default 2300) of files. Needs about that much free space in /tmp and a few minutes.
#   measure.sh BUILD_DIR [MEGABYTES]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
build=$(cd "$1" && pwd)
megabytes=${2:-2300}
probe=$build/bench/windows/avi_limit/avi_limit_probe.exe
source "$root/tools/wine-session.sh"
arch=$(wine_session_arch)
wine_session_start "$build/wineprefix-$arch" 1280x1024x24
out=$(mktemp -d /tmp/avi-limit.XXXXXX)
trap 'rm -rf "$out"; wine_session_stop' EXIT

for mode in ${MODES:-nolimit limit}; do
  echo "=== $mode"
  "$WINE" "$probe" "Z:${out//\//\\}\\clip.avi" "$megabytes" $mode 2>&1 | grep -v '^\[message box\]'
  for f in "$out"/clip*.avi; do
    [[ -e $f ]] || continue
    echo "ffprobe $(basename "$f") ($(stat -c %s "$f") bytes):"
    timeout 600 ffprobe -v error -select_streams v:0 -count_frames \
      -show_entries stream=nb_frames,nb_read_frames -of default=noprint_wrappers=1 "$f" 2>&1 |
      head -5 | sed 's/^/  /'
  done
  rm -f "$out"/clip*.avi
done
