#!/usr/bin/env bash
# Runs the Video 1 benchmark with a third sequence of real screenshots: Wine's notepad, registry
# editor, configuration dialog and file explorer on a 1920×1080 virtual display, with text typed,
# selections moved and windows scrolled between the shots.
#   screenshots_bench.sh BENCH_EXE [FRAMES] [benchmark arguments...]
# MSVIDEO1_BENCH_PREFIX names a Wine prefix to reuse (a fresh one takes half a minute).
set -euo pipefail
bench=$(realpath "$1")
frames=${2:-50}
shift $(($# >= 2 ? 2 : 1))
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d)
source "$root/tools/wine-session.sh"
cleanup() {
  wine_session_stop
  rm -rf "$work"
}
trap cleanup EXIT

wine_session_start "${MSVIDEO1_BENCH_PREFIX:-$work/prefix}" 1920x1080x24
"$WINE" notepad >/dev/null 2>&1 &
"$WINE" regedit >/dev/null 2>&1 &
"$WINE" explorer 'C:\windows\system32' >/dev/null 2>&1 &
"$WINE" winecfg >/dev/null 2>&1 &
window() { # name pattern: waits for the window and prints its id
  local id=""
  for _ in $(seq 1 100); do
    id=$(xdotool search --name "$1" 2>/dev/null | tail -1) && [[ -n $id ]] && break
    sleep 0.2
  done
  echo "$id"
}
notepad=$(window 'Notepad')
regedit=$(window 'Registry Editor')
explorer=$(window 'system32')
winecfg=$(window 'Wine configuration')
xdotool windowmove "$regedit" 760 60 windowsize "$regedit" 1100 760
xdotool windowmove "$explorer" 40 520 windowsize "$explorer" 900 500
xdotool windowmove "$winecfg" 1300 560
xdotool windowmove "$notepad" 80 40 windowsize "$notepad" 1000 620
sleep 2

text="The quick brown fox jumps over the lazy dog while the recorder keeps every frame. "
raw=$work/screens.bgra
for i in $(seq 0 $((frames - 1))); do
  # Keys reach Wine only through the focus a click gives: click into a window, then type.
  if ((i % 10 == 5)); then
    xdotool mousemove 400 700 click 1 key Down Down Down
  elif ((i % 25 == 20)); then
    xdotool mousemove 400 700 click 1 key Page_Down
  else
    xdotool mousemove 300 300 click 1 type --delay 0 "${text:$((i * 3 % ${#text})):3}"
    ((i % 12 == 11)) && xdotool key Return
  fi
  sleep 0.1
  import -window root -display "$DISPLAY" -depth 8 bgra:- >>"$raw"
done
"$bench" --frames "$frames" --screenshots "$raw" "$@"
