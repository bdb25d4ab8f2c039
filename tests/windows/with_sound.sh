#!/usr/bin/env bash
# Runs a command with a sound server of its own (tools/sound-server.sh): a null sink whose monitor
# is the default input, with a 1 kHz tone of amplitude 0.5 playing into it all the time. The
# tests learn what to expect from:
#   RECORDER_TEST_TONE           "1000 0.5": the tone's frequency (Hz) and amplitude
#   RECORDER_TEST_SOUND_SOURCES  a Windows path: the server's inputs as it names them, one a line
#   RECORDER_SOUND_SERVER_STOP   a Windows path: a test that creates this file has the server
#                                ended (the sound device goes away) within a second
#   RECORDER_SOUND_DEVICE        a Windows path: a test that writes "unplug" into this file has
#                                the sink and its monitor unloaded (the input goes away, the
#                                server stays), "plug" loads them again with the tone; the
#                                script answers "unplugged" or "plugged" in the file when done
#   with_sound.sh COMMAND [ARGS...]
set -uo pipefail
source "$(dirname "$0")/../../tools/sound-server.sh"
sound_server_start || exit 1
dir=$SOUND_SERVER_DIR
windows_path() { echo "Z:${1//\//\\}"; }
pactl list sources | sed -n 's/^[[:space:]]*Description: //p' >"$dir/sources.txt"
export RECORDER_TEST_TONE="1000 0.5"
export RECORDER_TEST_SOUND_SOURCES=$(windows_path "$dir/sources.txt")
export RECORDER_SOUND_SERVER_STOP=$(windows_path "$dir/stop-server")
export RECORDER_SOUND_DEVICE=$(windows_path "$dir/device")
sound_tone_start 1000 0.5
# Unplugs and plugs the sink, and ends the server, when a test asks for it.
(trap 'sound_tone_stop; exit' TERM
 while [[ -d $dir && ! -e $dir/stop-server ]]; do
   case $({ tr -d "\r" <"$dir/device"; } 2>/dev/null) in
   unplug)
     pactl unload-module module-null-sink
     echo unplugged >"$dir/device" ;;
   plug)
     pactl load-module module-null-sink sink_name=rec >/dev/null
     pactl set-default-sink rec && pactl set-default-source rec.monitor
     sound_tone_stop
     sound_tone_start 1000 0.5
     echo plugged >"$dir/device" ;;
   esac
   sleep 0.1
 done
 [[ -e $dir/stop-server ]] && kill "$SOUND_SERVER_PID" 2>/dev/null) &
watcher=$!
"$@"
status=$?
kill "$watcher" 2>/dev/null
wait "$watcher" 2>/dev/null
sound_tone_stop
sound_server_stop
exit $status
