#!/usr/bin/env bash
# What sound costs a recording, beside ffmpeg's grab of the same screen. Runs the bench under Wine
# on a virtual display of its own with a sound server playing a tone into the recorder's input,
# then ffmpeg's x11grab of the same display for the same time: as fast as it can grab, and
# grabbing and encoding Microsoft Video 1 as the recorder does.
#   measure.sh BUILD_DIR [SECONDS [ROUNDS]]   (each of the three recordings ROUNDS times, in turn)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
build=$(cd "$1" && pwd)
seconds=${2:-20}
rounds=${3:-3}
source "$root/tools/sound-server.sh"
sound_server_start || exit 1
source "$root/tools/wine-session.sh"
wine_session_start "$build/wineprefix-$(wine_session_arch)" 1280x1024x24
finish() {
  sound_tone_stop
  wine_session_stop
  sound_server_stop
}
trap finish EXIT
sound_tone_start 440 0.3
ffplay -loglevel quiet -noborder -left 0 -top 0 -x 1280 -y 1024 -an -f lavfi "testsrc2=s=1280x1024:r=30" &
player=$!
sleep 2
RECORDER_ARTIFACTS=$(mktemp -d /tmp/sound-cost.XXXXXX) "$WINE" "$build/bench/windows/sound_cost/sound_cost_bench.exe" "$seconds" "$rounds"
grab() { # label ffmpeg-output-args...
  local label=$1
  shift
  local frames
  frames=$(ffmpeg -nostdin -v error -stats -f x11grab -framerate 1000 -video_size 1280x1024 -i "$DISPLAY" \
    -t "$seconds" "$@" 2>&1 | tr '\r' '\n' | grep -oP 'frame=\s*\K[0-9]+' | tail -1)
  awk -v f="${frames:-0}" -v s="$seconds" -v l="$label" 'BEGIN { printf "ffmpeg x11grab, %s: %.1f frames/s\n", l, f / s }'
}
grab "grab only" -f null -
grab "Video 1 encoded" -c:v msvideo1 -f null -
kill "$player" 2>/dev/null
