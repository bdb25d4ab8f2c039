#!/usr/bin/env bash
# End to end: drives the real recorder.exe under Wine on the session's X display as a user would.
#   record_with_hotkeys.sh BUILD_DIR      (DISPLAY, WINE, WINEPREFIX, RECORDER_ARTIFACTS set)
# Starts the known picture and the recorder, takes screenshots of the main window and of the
# settings dialog, changes the playback rate there with the mouse and the keyboard, presses F4, types a file name without extension into the save dialog, records a
# few seconds, presses F5 while another program has the focus, then checks that the main window
# is back, that the save dialog asks before the same name would replace the take (No keeps it),
# and the AVI (codec, size, rate, slots against the elapsed time, the picture in a decoded
# frame) with ffprobe and ffmpeg. Leaves the AVI, the screenshots and a log in
# $RECORDER_ARTIFACTS/e2e. Stops every process it started.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
source "$here/lib/e2e-start.sh" e2e
source "$here/lib/recorder-windows.sh"
source "$here/lib/recorder-drive.sh"
record_seconds=${RECORD_SECONDS:-4}

exe=$build/app/recorder.exe
picture_exe=$build/tests/windows/e2e_picture/picture_window.exe
probe_exe=$build/tests/windows/e2e_probe/skin_probe.exe
# The picture: four quadrants, top-most, where the recorder's window is not.
pic_left=760 pic_top=420 pic_width=400 pic_height=300

status=0
fail() { echo "e2e check failed: $*"; status=1; }
note() { echo "e2e: $*"; }
trap stop_started EXIT

wine_cjk_fonts
[[ -f $exe && -f $picture_exe ]] || { echo "build $build lacks the programs"; exit 1; }

"$WINE" "$picture_exe" $pic_left $pic_top $pic_width $pic_height >"$out/picture.log" 2>&1 &
pids+=($!)
wait_for 60 shown '^e2e-focus$' || { fail "the picture program did not start"; exit 1; }
start_recorder "$out/recorder.log"
main_visible || exit 1
main=$(visible_named "$main_name")
focus=$(xdotool search --name 'e2e-focus' | head -1)
sleep 1
import -display "$DISPLAY" -window "$main" "$out/main_window.png"
note "main window $main: $(xdotool getwindowgeometry "$main" | tr '\n' ' ')"

# From outside the program: the child windows of a window whose class matches a pattern answer
# the skinning engine's query. Prints their lines (class|id|rectangle|answer|text); fails unless
# at least $3 of them answer 1.
check_skinned() { # title-prefix class-pattern count what
  local lines
  lines=$("$WINE" "$probe_exe" "$1" 2>/dev/null | tr -d '\r' | grep -iE "^($2)\|")
  note "$4: $(echo "$lines" | cut -d'|' -f1,4,5 | tr '\n' ' ')"
  (($(echo "$lines" | grep -c '|1|') >= $3)) || fail "$4: fewer than $3 skinned"
  echo "$lines" >"$out/$4.probe"
}
# From outside the program: every child of class $2 (an extended regular expression on the class
# name) of a window answers the skinning engine's query, and there are at least $3 of them.
check_skinned_children() { # title-prefix class-regex count what
  local lines
  lines=$("$WINE" "$probe_exe" "$1" 2>/dev/null | tr -d '\r' | grep -iE "^($2)\|")
  note "$4: $(echo "$lines" | cut -d'|' -f1,4,5 | tr '\n' ' ')"
  (($(echo "$lines" | grep -c .) >= $3)) || fail "$4: fewer than $3 children of class $2"
  (($(echo "$lines" | grep -vc '|1|') == 0)) || fail "$4: not all skinned"
  echo "$lines" >"$out/$4.probe"
}
check_skinned_buttons() { check_skinned "$1" button "$2" "$3"; }
check_skinned_buttons "栎澜屏幕录像" 3 main_window_buttons
# A button hot under the pointer, then pressed (the press is dragged off again: no click).
IFS='|' read -r _ _ rect _ _ < <(head -1 "$out/main_window_buttons.probe")
IFS=',' read -r bl bt br bb <<<"$rect"
xdotool mousemove --sync $(((bl + br) / 2)) $(((bt + bb) / 2))
sleep 0.8
import -display "$DISPLAY" -window "$main" "$out/main_window_hot.png"
xdotool mousedown 1
sleep 0.5
import -display "$DISPLAY" -window "$main" "$out/main_window_pressed.png"
xdotool mousemove --sync $((br + 300)) $((bb + 300)) mouseup 1
sleep 0.5

# Settings: the third button in the tab order.
activate "$main"
xdotool key --delay 300 Tab Tab space
if wait_for 15 shown "$settings_name"; then
  sleep 1
  dialog=$(visible_named "$settings_name")
  import -display "$DISPLAY" -window "$dialog" "$out/settings_dialog.png"
  # The compressor list and the key-frame field.
  check_skinned "功能设置" "combobox|edit" 2 settings_dialog_fields
  activate "$dialog"
  import -display "$DISPLAY" -window "$dialog" "$out/settings_dialog_active.png"
  # Its three sliders, and its three group boxes, are the skin's.
  check_skinned_children "功能设置" msctls_trackbar32 3 settings_sliders
  "$WINE" "$probe_exe" "功能设置" 2>/dev/null | tr -d '\r' >"$out/settings_dialog.probe"
  grep -E '^Button\|' "$out/settings_dialog.probe" | grep -E '压缩参数|录制参数|回放帧速度' >"$out/settings_groups.probe"
  (($(grep -c '|1|' "$out/settings_groups.probe") == 3)) || fail "the settings dialog's group boxes are not all skinned"
  # The playback-rate slider (the lowest one): its thumb dragged with the mouse to the right end,
  # then one page back with the keyboard; its label follows both.
  IFS='|' read -r _ _ rect _ _ < <(grep -E '^msctls_trackbar32\|' "$out/settings_dialog.probe" |
    awk -F'|' '{ split($3, r, ","); print r[2] "|" $0 }' | sort -n | tail -1 | cut -d'|' -f2-)
  IFS=',' read -r sl st sr sb <<<"$rect"
  rate_label() { "$WINE" "$probe_exe" "功能设置" 2>/dev/null | tr -d '\r' | cut -d'|' -f5 | grep -E '^[0-9]+ fps$' | grep -vxE '1 fps|50 fps' | head -1; }
  # The thumb of the default 10 fps sits about 18 % along the slider.
  thumb_x=$((sl + 10 + (sr - sl - 20) * 183 / 999)) thumb_y=$(((st + sb) / 2))
  xdotool mousemove --sync "$thumb_x" "$thumb_y" mousedown 1
  sleep 0.3
  xdotool mousemove --sync $((thumb_x + 100)) "$thumb_y"
  sleep 0.3
  xdotool mousemove --sync $((sr + 40)) "$thumb_y"
  sleep 0.5
  import -display "$DISPLAY" -window "$dialog" "$out/settings_slider_dragged.png"
  xdotool mouseup 1
  sleep 0.5
  [[ $("$WINE" "$probe_exe" "功能设置" 2>/dev/null | tr -d '\r' | cut -d'|' -f5 | grep -c '^50 fps$') == 2 ]] ||
    fail "dragging the playback slider to its end did not show 50 fps"
  xdotool key Prior
  sleep 0.5
  playback_rate=$(rate_label)
  playback_rate=${playback_rate% fps}
  note "playback rate after the drag and Page Up: ${playback_rate:-none} fps"
  [[ -n $playback_rate ]] || fail "Page Up on the playback slider left no rate between 1 and 50 fps"
  import -display "$DISPLAY" -window "$dialog" "$out/settings_dialog_changed.png"
  xdotool key Return
  wait_for 10 gone "$settings_name" || fail "Enter did not close the settings dialog"
else
  fail "the settings dialog did not open"
  import -display "$DISPLAY" -window root "$out/no_settings_dialog.png"
fi

# F4 with the main window focused: the save dialog asks for the file.
activate "$main"
xdotool key F4
wait_for 20 shown "$save_name" || { fail "F4 showed no save dialog"; exit 1; }
sleep 1
import -display "$DISPLAY" -window root "$out/save_dialog.png"
check_skinned_buttons "Save" 2 save_dialog_buttons
# Its folder and type combo boxes, the file name, the file list's scroll bars (the list answers
# for its overlays) and the size grip.
check_skinned "Save" "combobox" 2 save_dialog_combos
check_skinned "Save" "edit" 1 save_dialog_edit
check_skinned "Save" "syslistview32" 1 save_dialog_list
check_skinned "Save" "scrollbar" 1 save_dialog_grip
# The folder changed with the folder combo box (one level up), then the name typed.
activate "$(visible_named "$save_name")"
xdotool key --delay 300 alt+i alt+Down Up Return
sleep 1
import -display "$DISPLAY" -window root "$out/save_dialog_folder_changed.png"
check_skinned "Save" "syslistview32" 1 save_dialog_list_after_folder_change
# A folder with many folders typed into the name field: the list shows its scroll bar skinned.
xdotool key --delay 300 alt+n
xdotool type --delay 20 'Z:\usr\share'
xdotool key Return
sleep 1.5
import -display "$DISPLAY" -window root "$out/save_dialog_long_list.png"
check_skinned "Save" "syslistview32" 1 save_dialog_long_list
xdotool key --delay 300 alt+n Home shift+End
xdotool type --delay 20 "$(windows_path "$out/clip")"
xdotool key Return
wait_for 10 main_hidden || fail "the main window stayed visible while recording"
# The main window hides right before the recording starts.
start=$(date +%s.%N)
sleep 1.5
import -display "$DISPLAY" -window root "$out/while_recording.png"
sleep "$record_seconds"

# F5 while another program has the focus: the recording stops and the main window is back.
activate "$focus"
xdotool key F5
stop=$(date +%s.%N)
wait_for 10 main_visible || fail "F5 did not bring the main window back"
sleep 2
import -display "$DISPLAY" -window root "$out/after_stop.png"

# F4 again, the same name typed: the take exists, so the dialog asks before replacing it; No
# goes back to the dialog, and Escape closes it without a recording. The take is unchanged.
take_sum=$(md5sum <"$out/clip.avi")
activate "$(visible_named "$main_name")"
xdotool key F4
if wait_for 20 shown "$save_name"; then
  save_dialog=$(visible_named "$save_name")
  activate "$save_dialog"
  xdotool key --delay 300 alt+n Home shift+End
  xdotool type --delay 20 "$(windows_path "$out/clip")"
  xdotool key Return
  # Wine's dialog asks in a box of its own captioned "Error".
  if wait_for 10 shown '^Error$'; then
    sleep 0.5
    import -display "$DISPLAY" -window root "$out/replace_prompt.png"
    xdotool key n
    wait_for 10 gone '^Error$' || fail "No did not close the question"
    shown "$save_name" || fail "No did not go back to the save dialog"
  else
    fail "no question before replacing the existing take"
    import -display "$DISPLAY" -window root "$out/no_replace_prompt.png"
  fi
  xdotool key Escape
  wait_for 10 gone "$save_name" || fail "Escape did not close the save dialog"
  main_visible || fail "the main window hid although nothing is recorded"
else
  fail "F4 after the recording showed no save dialog"
fi
[[ $(md5sum <"$out/clip.avi") == "$take_sum" ]] || fail "the existing take was changed"

# Close the program the way a user does.
activate "$(visible_named "$main_name")"
xdotool key alt+F4
for _ in $(seq 1 50); do kill -0 "$recorder_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$recorder_pid" 2>/dev/null && fail "the program did not end on Alt+F4"

avi=$out/clip.avi
[[ -s $avi ]] || { fail "no $avi (the typed name clip gets the .avi extension)"; exit 1; }
declare -A got=()
while IFS='=' read -r key value; do got[$key]=$value; done < <(
  ffprobe -v error -select_streams v:0 -count_frames \
    -show_entries stream=codec_name,width,height,r_frame_rate,nb_frames,nb_read_frames \
    -of default=noprint_wrappers=1 "$avi")
read -r screen_w screen_h < <(xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
elapsed=$(awk -v a="$start" -v b="$stop" 'BEGIN { printf "%.2f", b - a }')
note "recorded ${got[codec_name]:-} ${got[width]:-}x${got[height]:-} at ${got[r_frame_rate]:-}, ${got[nb_frames]:-} slots, ${got[nb_read_frames]:-} frames in ${elapsed}s"
[[ ${got[codec_name]:-} == msvideo1 ]] || fail "codec ${got[codec_name]:-none}, want msvideo1"
# The size may be aligned down to a multiple of 4 for the compressor.
[[ ${got[width]:-0} -le $screen_w && ${got[width]:-0} -gt $((screen_w - 8)) ]] || fail "width ${got[width]:-}"
[[ ${got[height]:-0} -le $screen_h && ${got[height]:-0} -gt $((screen_h - 8)) ]] || fail "height ${got[height]:-}"
# The rate chosen in the settings dialog.
[[ ${got[r_frame_rate]:-} == "${playback_rate:-10}/1" ]] || fail "rate ${got[r_frame_rate]:-}, want ${playback_rate:-10}/1"
# 100 ms per slot from the start of the worker to F5: the slots cover the elapsed time, less the
# time the worker took to start and at most one sleep slice after F5.
slots=${got[nb_frames]:-0}
min_slots=$(awk -v e="$elapsed" 'BEGIN { printf "%d", (e - 2.0) * 10 }')
max_slots=$(awk -v e="$elapsed" 'BEGIN { printf "%d", (e + 0.5) * 10 }')
((slots >= min_slots && slots <= max_slots)) || fail "$slots slots for ${elapsed}s, want $min_slots..$max_slots"
((${got[nb_read_frames]:-0} >= 1 && ${got[nb_read_frames]:-0} <= slots)) || fail "frames stored ${got[nb_read_frames]:-}"

# A recording without sound is what it always was: one stream list (the video's, at scale 1 and
# the playback rate), no audio stream and no audio chunk.
python3 - "$avi" "${playback_rate:-10}" <<'EOF' || fail "the silent recording's structure changed"
import struct, sys
data = open(sys.argv[1], 'rb').read()
header = data[:data.find(b'movi')]
assert header.count(b'strl') == 1 and b'auds' not in header, 'a second stream'
strh = header.find(b'strh')
scale, rate = struct.unpack_from('<II', header, strh + 8 + 20)
assert header[strh + 8:strh + 12] == b'vids' and (scale, rate) == (1, int(sys.argv[2])), (scale, rate)
assert b'01wb' not in data, 'an audio chunk'
EOF

# A frame from the middle of the recording shows the picture's four quadrants. Frames are counted
# as stored: slots that got no frame (a slow machine drops some) decode to nothing.
middle=$((${got[nb_read_frames]:-0} / 2))
ffmpeg -v error -y -i "$avi" -vf "select=eq(n\,$middle)" -frames:v 1 "$out/middle_frame.png"
ffmpeg -v error -y -i "$avi" -vf "select=eq(n\,$middle)" -frames:v 1 -f rawvideo -pix_fmt rgb24 "$out/middle_frame.rgb"
pixel() { [[ -n ${got[width]:-} ]] && od -An -tu1 -j $((($2 * ${got[width]} + $1) * 3)) -N3 "$out/middle_frame.rgb"; }
check_pixel() { # name x y r g b
  local pr pg pb
  read -r pr pg pb < <(pixel "$2" "$3")
  local d
  for d in $((pr - $4)) $((pg - $5)) $((pb - $6)); do
    ((d < 0)) && d=$((-d))
    ((d <= 24)) || { fail "$1 quadrant at ($2,$3) is $pr,$pg,$pb, want $4,$5,$6"; return; }
  done
}
qx=$((pic_width / 4)) qy=$((pic_height / 4))
check_pixel top-left $((pic_left + qx)) $((pic_top + qy)) 255 0 0
check_pixel top-right $((pic_left + 3 * qx)) $((pic_top + qy)) 0 200 0
check_pixel bottom-left $((pic_left + qx)) $((pic_top + 3 * qy)) 0 0 255
check_pixel bottom-right $((pic_left + 3 * qx)) $((pic_top + 3 * qy)) 255 255 0
rm -f "$out/middle_frame.rgb"

((status == 0)) && note "passed; artefacts in $out"
exit $status
