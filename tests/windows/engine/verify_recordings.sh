#!/usr/bin/env bash
# Runs a Windows test executable, then checks every recording it described in a .facts file with
# the independent decoders: ffprobe for the stream's properties and ffmpeg for pixels. A recording
# with "parts=N" was written into N follow-on files, one with "files=a.avi,b.avi" into those.
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
  name=$(basename "$file")
  declare -A got=()
  probe() { # file: fills got[] from ffprobe
    got=()
    while IFS='=' read -r key value; do got[$key]=$value; done < <(
      ffprobe -v error -select_streams v:0 -count_frames \
        -show_entries stream=codec_type,codec_name,width,height,r_frame_rate,nb_frames,nb_read_frames \
        -of default=noprint_wrappers=1 "$1")
  }
  check_stream() { # name: the properties every file of the recording shares
    [[ ${got[codec_type]:-} == "${want[codec_type]}" ]] || fail "$1: type ${got[codec_type]:-none}"
    [[ ${got[codec_name]:-} == "${want[codec]}" ]] || fail "$1: codec ${got[codec_name]:-none}, want ${want[codec]}"
    [[ ${got[width]:-} == "${want[width]}" && ${got[height]:-} == "${want[height]}" ]] ||
      fail "$1: size ${got[width]:-}x${got[height]:-}, want ${want[width]}x${want[height]}"
    [[ ${got[r_frame_rate]:-} == "${want[rate]}" ]] || fail "$1: rate ${got[r_frame_rate]:-}, want ${want[rate]}"
  }
  if [[ -n ${want[parts]:-} || -n ${want[files]:-} ]]; then
    # A recording in follow-on files clip.avi, clip-2.avi, ... (or the names listed in "files",
    # when numbers were taken by files that existed): each starts its timeline with a frame;
    # together they hold every slot and every frame once.
    names=()
    if [[ -n ${want[files]:-} ]]; then
      IFS=',' read -ra names <<<"${want[files]}"
    else
      names=("$name")
      for ((part = 2; part <= want[parts]; part++)); do names+=("${name%.avi}-$part.avi"); done
    fi
    slots=0 frames=0
    for n in "${names[@]}"; do
      f=$(dirname "$file")/$n
      [[ -s $f ]] || { fail "$f missing"; continue; }
      probe "$f"
      check_stream "$n"
      first=$(ffprobe -v error -select_streams v:0 -show_entries packet=pts,size -of csv=p=0 "$f" | head -1)
      [[ ${first%%,*} == 0 && ${first##*,} != 0 ]] || fail "$n: first packet $first, want a frame at 0"
      echo "checked $n: ${got[nb_frames]:-} slots, ${got[nb_read_frames]:-} frames"
      if [[ -n ${want[sound]:-} ]]; then
        # 16-bit stereo at the rate named: the file's sound, counted in its chunks, lasts as long
        # as its picture.
        sound_ms=$(ffprobe -v error -select_streams a:0 -show_entries packet=size -of csv=p=0 "$f" |
          awk -v r="${want[sound]}" '{ s += $1 } END { printf "%d", s / 4 * 1000 / r }')
        picture_ms=$(awk -v n="${got[nb_frames]:-0}" -v r="${want[rate]}" 'BEGIN { split(r, f, "/"); printf "%d", n * 1000 * f[2] / f[1] }')
        echo "checked $n: sound ${sound_ms} ms, picture ${picture_ms} ms"
        ((sound_ms - picture_ms <= 100 && picture_ms - sound_ms <= 100)) ||
          fail "$n: sound ${sound_ms} ms against picture ${picture_ms} ms"
        all_sound=$((${all_sound:-0} + sound_ms)) all_picture=$((${all_picture:-0} + picture_ms))
      fi
      slots=$((slots + ${got[nb_frames]:-0})) frames=$((frames + ${got[nb_read_frames]:-0}))
    done
    [[ -n ${want[files]:-} || ! -e ${file%.avi}-$((want[parts] + 1)).avi ]] || fail "$name: more than ${want[parts]} files"
    ((slots == want[slots])) || fail "$name: $slots slots in all files, want ${want[slots]}"
    ((frames == want[frames_written])) || fail "$name: $frames frames in all files, want ${want[frames_written]}"
    if [[ -n ${want[sound]:-} ]]; then
      ((all_sound - all_picture <= 100 && all_picture - all_sound <= 100)) ||
        fail "$name: ${all_sound} ms of sound in all files against ${all_picture} ms of picture"
      unset all_sound all_picture
    fi
    unset want got
    continue
  fi
  probe "$file"
  check_stream "$name"
  if [[ -n ${want[streams]:-} ]]; then
    streams=$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 "$file" | wc -l)
    ((streams == want[streams])) || fail "$name: $streams streams, want ${want[streams]}"
  fi
  if [[ -n ${want[sound]:-} ]]; then
    # 16-bit stereo: the sound, counted in its chunks, lasts as long as the picture (less what it
    # held back at an end that could not write it, up to "sound_short_ms").
    sound_ms=$(ffprobe -v error -select_streams a:0 -show_entries packet=size -of csv=p=0 "$file" |
      awk -v r="${want[sound]}" '{ s += $1 } END { printf "%d", s / 4 * 1000 / r }')
    picture_ms=$(awk -v n="${got[nb_frames]:-0}" -v r="${want[rate]}" 'BEGIN { split(r, f, "/"); printf "%d", n * 1000 * f[2] / f[1] }')
    short=${want[sound_short_ms]:-100}
    echo "checked $name: sound ${sound_ms} ms, picture ${picture_ms} ms"
    ((sound_ms - picture_ms <= 100 && picture_ms - sound_ms <= short)) ||
      fail "$name: sound ${sound_ms} ms against picture ${picture_ms} ms"
  fi
  if [[ -n ${want[silent_from_ms]:-} ]]; then
    # The tone up to the moment the device went, silence from about then to the end.
    read -r start end < <(ffmpeg -v info -i "$file" -map 0:a -af silencedetect=noise=-50dB:d=0.3 \
      -f null - 2>&1 | sed -n 's/.*silence_\(start\|end\): \([0-9.]*\).*/\2/p' | tail -2 | xargs)
    from=${want[silent_from_ms]}
    echo "checked $name: silent from ${start:-} to ${end:-} s, the device went at $from ms"
    awk -v s="${start:-0}" -v e="${end:-0}" -v f="$from" -v n="$sound_ms" \
      'BEGIN { d = s * 1000 - f; exit !(d > -100 && d < 800 && e * 1000 >= n - 100) }' ||
      fail "$name: silent from ${start:-} to ${end:-} s, the device went at $from ms"
  fi
  # Slots are known when the recording was stopped after its last written frame.
  [[ -z ${want[slots]:-} || ${got[nb_frames]:-} == "${want[slots]:-}" ]] ||
    fail "$name: ${got[nb_frames]:-?} slots, want ${want[slots]}"
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
