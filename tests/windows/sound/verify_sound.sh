#!/usr/bin/env bash
# Runs the sound tests, then has ffprobe and ffmpeg read the IMA ADPCM file they wrote of the
# captured tone: its format, its length, and the tone's level in it (amplitude 0.5: -6 dB).
#   verify_sound.sh WINE_RUN EXE [gtest arguments]
set -uo pipefail
runner=$1
exe=$2
shift 2
: "${RECORDER_ARTIFACTS:=$PWD/artifacts}"
file=$RECORDER_ARTIFACTS/sound/tone_ima_adpcm.wav
rm -f "$file"
"$runner" "$exe" "$@"
status=$?
fail() { echo "sound file check failed: $*"; status=1; }
[[ -s $file ]] || { fail "$file missing"; exit 1; }
stream=$(ffprobe -v error -show_entries stream=codec_name,sample_rate,channels,duration -of csv=p=0 "$file")
IFS=, read -r codec rate channels duration <<<"$stream"
[[ $codec == adpcm_ima_wav && $rate == 44100 && $channels == 2 ]] || fail "stream: $stream"
awk -v d="$duration" 'BEGIN { exit !(d > 0.9 && d < 1.2) }' || fail "duration $duration s"
peak=$(ffmpeg -v error -i "$file" -af astats=metadata=1,ametadata=print:key=lavfi.astats.Overall.Peak_level:file=- \
  -f null - 2>&1 | sed -n 's/.*Peak_level=//p' | tail -1)
echo "ffmpeg reads the IMA ADPCM tone: $stream, peak ${peak} dB"
awk -v p="$peak" 'BEGIN { exit !(p > -7.5 && p < -4.5) }' || fail "peak level ${peak:-none} dB, want about -6"
exit $status
