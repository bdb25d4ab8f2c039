# Sourced by the test scripts that record sound: a PulseAudio server of their own, no sound card
# needed. It has one null sink "rec", the default output; its monitor "rec.monitor" is the
# default input, so whatever is played into the sink (paplay, or a Wine program's waveOut) is
# what a Wine program's waveIn records. Wine's winepulse driver finds the server through
# XDG_RUNTIME_DIR, which sound_server_start exports: start it before the Wine session's first
# program.
#   sound_server_start     exports XDG_RUNTIME_DIR (a new folder) and PULSE_STATE_PATH; starts
#                          the server and waits until it answers
#   sound_server_stop      ends that server (by its pid) and removes its folder
#   sound_server_ensure    starts one unless a server answers at XDG_RUNTIME_DIR already (as
#                          test.sh starts one for the whole Windows test run); sound_server_stop
#                          then ends only one it started
#   sound_tone_start [FREQUENCY VOLUME], sound_tone_stop
#                          a sine tone played into the sink meanwhile
#   sound_tone FILE SECONDS [RATE CHANNELS FREQUENCY VOLUME]
#                          writes a sine tone as 16-bit WAV (sox)

SOUND_SERVER_PID=""
SOUND_SERVER_DIR=""

sound_server_start() {
  command -v pulseaudio >/dev/null || { echo "sound_server_start: pulseaudio is not installed" >&2; return 1; }
  SOUND_SERVER_DIR=$(mktemp -d /tmp/recorder-sound.XXXXXX) || return 1
  chmod 700 "$SOUND_SERVER_DIR"
  export XDG_RUNTIME_DIR=$SOUND_SERVER_DIR PULSE_STATE_PATH=$SOUND_SERVER_DIR/state
  mkdir -p "$PULSE_STATE_PATH"
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n --log-target=file:"$SOUND_SERVER_DIR/server.log" \
    --load="module-null-sink sink_name=rec" --load=module-native-protocol-unix 2>/dev/null || {
    echo "sound_server_start: pulseaudio did not start" >&2
    return 1
  }
  local i
  for i in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  SOUND_SERVER_PID=$(cat "$SOUND_SERVER_DIR/pulse/pid" 2>/dev/null)
  pactl set-default-sink rec && pactl set-default-source rec.monitor || {
    echo "sound_server_start: the server does not answer" >&2
    sound_server_stop
    return 1
  }
}

sound_server_ensure() {
  [[ -n ${XDG_RUNTIME_DIR:-} ]] && pactl info >/dev/null 2>&1 && return 0
  sound_server_start
}

sound_server_stop() {
  if [[ -n $SOUND_SERVER_PID ]]; then
    kill "$SOUND_SERVER_PID" 2>/dev/null || true
    local i
    for i in $(seq 1 30); do
      kill -0 "$SOUND_SERVER_PID" 2>/dev/null || break
      sleep 0.1
    done
    SOUND_SERVER_PID=""
  fi
  [[ -n $SOUND_SERVER_DIR ]] && rm -rf "$SOUND_SERVER_DIR"
  SOUND_SERVER_DIR=""
}

sound_tone() {
  local file=$1 seconds=$2 rate=${3:-44100} channels=${4:-2} frequency=${5:-1000} volume=${6:-0.5}
  sox -n -r "$rate" -c "$channels" -b 16 "$file" synth "$seconds" sine "$frequency" vol "$volume"
}

SOUND_TONE_PID=""

# Plays a sine tone into the sink until sound_tone_stop (or for an hour).
#   sound_tone_start [FREQUENCY VOLUME]
sound_tone_start() {
  local frequency=${1:-1000} volume=${2:-0.5}
  sox -q -n -t raw -r 44100 -c 2 -b 16 -e signed-integer - synth 3600 sine "$frequency" vol "$volume" |
    pacat -d rec --rate=44100 --channels=2 --format=s16le --raw &
  SOUND_TONE_PID=$!
}

sound_tone_stop() {
  [[ -n $SOUND_TONE_PID ]] || return 0
  kill "$SOUND_TONE_PID" 2>/dev/null || true
  wait "$SOUND_TONE_PID" 2>/dev/null || true
  SOUND_TONE_PID=""
}
