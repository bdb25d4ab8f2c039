#!/usr/bin/env bash
# Runs a command with a sound server of its own (tools/sound-server.sh): a null sink whose monitor
# is the default input, with a 1 kHz tone of amplitude 0.5 playing into it all the time. The
# tests learn what to expect from:
#   RECORDER_TEST_TONE           "1000 0.5": the tone's frequency (Hz) and amplitude
#   RECORDER_TEST_SOUND_SOURCES  a Windows path: the server's inputs as it names them, one a line
#   RECORDER_SOUND_SERVER_STOP   a Windows path: a test that creates this file has the server
#                                ended (the sound device goes away) within a second
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
sound_tone_start 1000 0.5
# Ends the server when a test asks for it.
(while [[ -d $dir && ! -e $dir/stop-server ]]; do sleep 0.1; done
 [[ -e $dir/stop-server ]] && kill "$SOUND_SERVER_PID" 2>/dev/null) &
watcher=$!
"$@"
status=$?
kill "$watcher" 2>/dev/null
wait "$watcher" 2>/dev/null
sound_tone_stop
sound_server_stop
exit $status
