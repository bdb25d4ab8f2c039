#!/usr/bin/env bash
# Runs a Windows test executable, then checks every recording it described in a .facts file with
# the independent decoders: ffprobe for the stream's properties and ffmpeg for pixels.
#   verify_recordings.sh WINE_RUN EXE [gtest arguments]
set -uo pipefail
runner=$1
exe=$2
shift 2
: "${RECORDER_ARTIFACTS:=$PWD/artifacts}"
export RECORDER_ARTIFACTS
folder=$RECORDER_ARTIFACTS/$(basename "$exe" .exe | sed 's/_tests$//')
rm -rf "$folder"

"$runner" "$exe" "$@"
status=$?

fail() { echo "recording check failed: $*"; status=1; }

for facts in "$folder"/*.facts; do
  [[ -e $facts ]] || continue
  declare -A want=()
  while IFS='=' read -r key value; do want[$key]=$value; done <"$facts"
  file=${facts%.facts}
  [[ -s $file ]] || { fail "$file missing"; continue; }
  declare -A got=()
  while IFS='=' read -r key value; do got[$key]=$value; done < <(
    ffprobe -v error -select_streams v:0 -count_frames \
      -show_entries stream=codec_type,codec_name,width,height,r_frame_rate,nb_frames,nb_read_frames \
      -of default=noprint_wrappers=1 "$file")
  name=$(basename "$file")
  [[ ${got[codec_type]:-} == "${want[codec_type]}" ]] || fail "$name: type ${got[codec_type]:-none}"
  [[ ${got[codec_name]:-} == "${want[codec]}" ]] || fail "$name: codec ${got[codec_name]:-none}, want ${want[codec]}"
  [[ ${got[width]:-} == "${want[width]}" && ${got[height]:-} == "${want[height]}" ]] ||
    fail "$name: size ${got[width]:-}x${got[height]:-}, want ${want[width]}x${want[height]}"
  [[ ${got[r_frame_rate]:-} == "${want[rate]}" ]] || fail "$name: rate ${got[r_frame_rate]:-}, want ${want[rate]}"
  [[ ${got[nb_frames]:-} == "${want[slots]}" ]] || fail "$name: ${got[nb_frames]:-?} slots, want ${want[slots]}"
  [[ ${got[nb_read_frames]:-} == "${want[frames_written]}" ]] ||
    fail "$name: ${got[nb_read_frames]:-?} frames stored, want ${want[frames_written]}"
  for key in "${!want[@]}"; do
    [[ $key == pixel.* ]] || continue
    IFS=',' read -r x y r g b <<<"${want[$key]}"
    w=${want[width]}
    ffmpeg -v error -y -i "$file" -frames:v 1 -f rawvideo -pix_fmt rgb24 "$file.rgb"
    read -r pr pg pb < <(od -An -tu1 -j $(((y * w + x) * 3)) -N3 "$file.rgb")
    for pair in "$pr:$r" "$pg:$g" "$pb:$b"; do
      d=$((${pair%%:*} - ${pair##*:}))
      ((d < 0)) && d=$((-d))
      ((d <= 12)) || { fail "$name: pixel ($x,$y) is $pr,$pg,$pb, want $r,$g,$b"; break; }
    done
  done
  echo "checked $name: ${got[codec_name]:-} ${got[width]:-}x${got[height]:-} ${got[r_frame_rate]:-}, ${got[nb_frames]:-} slots, ${got[nb_read_frames]:-} frames"
  unset want got
done
exit $status
