#!/usr/bin/env bash
# End to end: records what the user means, by mouse, with the real recorder.exe under Wine.
#   record_area.sh BUILD_DIR      (DISPLAY, WINE, WINEPREFIX, RECORDER_ARTIFACTS set)
# With a moving picture (ffplay) on the screen and a Wine program's window (the four-colour
# picture) beside it:
#  - "选择区域" chosen in the settings by mouse; a start cancelled with Esc brings the main window
#    back and leaves no file; then a region dragged over the moving picture: the AVI has the
#    region's size after alignment and its frames match the region in a screenshot taken while
#    recording (ImageMagick's compare), the corner marks show on the screen around it;
#  - "窗口" on the picture window, which is moved during the recording: the file follows it;
#  - "窗口" on a second copy of that program, closed during the recording: the recording ends with
#    a notice and the file plays;
#  - the last region again by Return, paused for a few seconds by F6, resumed from the
#    notification-area icon's menu: the file is as long as the time recorded, not the pause;
#  - "跟随鼠标" with its size typed into the settings, over a picture of cells the test draws, the
#    mouse held at three places: every frame lies on the screen, moves at most its step, and comes
#    to rest where the cursor is inside its middle half, showing the screen there, and no frame
#    shows the marks; the icon's menu
#    by keyboard (a right click, then arrows and Return, or Esc, or a click elsewhere);
#  - "录制声音" ticked (a tone in the sound server's null sink), paused ten times by F6, three
#    pauses of a second and seven short ones in quick succession: the picture as long as the time
#    recorded, the sound as long as the picture (to within a frame), no silence at the cuts;
#  - a recording with sound killed while paused: mended at the next start with both streams.
# Leaves the AVIs, the screenshots and a log in $RECORDER_ARTIFACTS/record_area.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
source "$here/lib/e2e-start.sh" record_area
source "$here/lib/notice.sh"
source "$here/lib/recorder-windows.sh"
source "$here/../../tools/sound-server.sh"

recorder_exe=$build/app/recorder.exe
picture_exe=$build/tests/windows/e2e_picture/picture_window.exe
probe_exe=$build/tests/windows/e2e_probe/skin_probe.exe
# The moving picture, and the Wine window recorded in window mode.
movie_left=100 movie_top=100 movie_width=640 movie_height=480
pic_left=860 pic_top=560 pic_width=320 pic_height=240
# The region dragged (both corner pixels included): 301 x 241, aligned to 304 x 244 for Video 1.
drag_from=(151 121) drag_to=(451 361)
want_width=304 want_height=244

status=0
fail() { echo "e2e check failed: $*"; status=1; }
note() { echo "e2e: $*"; }
own_server=0
finish() {
  sound_tone_stop
  stop_started
  ((own_server)) && sound_server_stop
}
trap finish EXIT
now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }

# The session's sound server, or one of our own, before the first Wine program starts.
if ! pactl info >/dev/null 2>&1; then
  sound_server_start || fail "no sound server: the recordings with sound will fail"
  own_server=1
fi
wine_cjk_fonts
[[ -f $recorder_exe && -f $picture_exe && -f $probe_exe ]] || { echo "build $build lacks the programs"; exit 1; }

XDG_RUNTIME_DIR=$(mktemp -d) SDL_AUDIODRIVER=dummy ffplay -v error -noborder -an -left $movie_left -top $movie_top \
  -x $movie_width -y $movie_height -f lavfi "testsrc2=s=${movie_width}x${movie_height}:r=5" &
movie_pid=$!
pids+=($movie_pid)
wait_for 30 xdotool search --onlyvisible --pid "$movie_pid" >/dev/null || { fail "the moving picture did not show"; exit 1; }
"$WINE" "$picture_exe" $pic_left $pic_top $pic_width $pic_height >"$out/picture.log" 2>&1 &
pids+=($!)
wait_for 60 shown '^e2e-focus$' || { fail "the picture program did not start"; exit 1; }
"$WINE" "$recorder_exe" >"$out/recorder.log" 2>&1 &
recorder_pid=$!
pids+=($recorder_pid)
wait_for 60 main_visible || { fail "the main window did not appear"; exit 1; }
focus=$(xdotool search --name 'e2e-focus' | head -1)
picture=$(xdotool search --name '^picture$' | head -1)
sleep 1

# Clicks the child of a top-level window (caption prefix $1) whose text is $2.
click_child() {
  local rect l t r b
  rect=$("$WINE" "$probe_exe" "$1" 2>/dev/null | tr -d '\r' | awk -F'|' -v t="$2" '$5 == t { print $3; exit }')
  [[ -n $rect ]] || { fail "no \"$2\" in \"$1\""; return 1; }
  IFS=',' read -r l t r b <<<"$rect"
  xdotool mousemove --sync $(((l + r) / 2)) $(((t + b) / 2)) click 1
}
# Types WIDTHxHEIGHT into the following area's two edits (the dialog's lowest, left to right).
# Without a window manager no one gives a new dialog the X keyboard focus: it is given here, as a
# click on a window would.
type_follow_size() { # WIDTHxHEIGHT
  local sides=("${1%x*}" "${1#*x}") i=0 l t r b held
  xdotool windowfocus --sync "$(visible_named "$settings_name")" 2>/dev/null
  while IFS=',' read -r l t r b; do
    xdotool mousemove --sync $(((l + r) / 2)) $(((t + b) / 2)) click 1
    xdotool key Home shift+End
    xdotool type --delay 20 "${sides[i++]}"
  done < <(follow_edits | cut -d'|' -f3)
  held=$(follow_edits | cut -d'|' -f5 | tr -d '\r' | paste -sd x)
  [[ $held == "$1" ]] || fail "the following area's size edits hold '$held', want $1"
}
follow_edits() { # the two lowest edits' probe lines, left to right
  "$WINE" "$probe_exe" "功能设置" 2>/dev/null | tr -d '\r' |
    awk -F'|' 'tolower($1) == "edit" { split($3, r, ","); print r[2], r[1], $0 }' |
    sort -n | tail -2 | sort -k2 -n | cut -d' ' -f3-
}
# Chooses what recordings take in the settings dialog, by mouse: clicks the controls of these
# texts in turn (the radio button of an area, the check box "录制声音"), or types the following
# area's size (size=WIDTHxHEIGHT).
choose_area() { # screenshot-name control-text...
  local shot=$1
  shift
  click_child "栎澜屏幕录像" "功能设置"
  wait_for 15 shown "$settings_name" || { fail "the settings dialog did not open"; return 1; }
  sleep 1
  local text
  for text in "$@"; do
    if [[ $text == size=* ]]; then type_follow_size "${text#size=}"; else click_child "功能设置" "$text"; fi
  done
  sleep 0.5
  import -display "$DISPLAY" -window "$(visible_named "$settings_name")" "$out/$shot.png"
  click_child "功能设置" "确定"
  wait_for 10 gone "$settings_name" || fail "OK did not close the settings dialog"
}
# A notice the last take gave late (the sound's, once its file is closed) is answered.
answer_late_notice() { # picture-name
  shown '^Notice$' && read_notice "$1" && note "late notice: $notice_text"
}
# The start button (or F4, where the window lies under another), the save dialog and a file
# name: afterwards the chooser (or the recording).
start_recording() { # file [F4]
  answer_late_notice "late_notice_$(basename "$1")"
  if [[ ${2:-} == F4 ]]; then
    xdotool windowfocus --sync "$(visible_named "$main_name")" 2>/dev/null
    sleep 0.5
    xdotool key F4
  else
    click_child "栎澜屏幕录像" "开始录制"
  fi
  if ! wait_for 20 shown "$save_name"; then
    # What the screen showed instead goes to the log, and a notice then found is answered.
    import -display "$DISPLAY" -window root "$out/no_save_dialog_$(basename "$1").png"
    note "no save dialog after the start; visible: $(visible_windows)"
    answer_late_notice "late_notice_after_$(basename "$1")"
    fail "no save dialog"
    return 1
  fi
  sleep 1
  activate "$(visible_named "$save_name")"
  xdotool key --delay 300 alt+n Home shift+End
  xdotool type --delay 20 "$(windows_path "$1")"
  xdotool key Return
  wait_for 10 main_hidden || fail "the main window stayed visible after the save dialog"
}
# The chooser's overlay: a window of ours over the whole screen.
overlay_shown() {
  local w
  for w in $(xdotool search --onlyvisible --class recorder.exe 2>/dev/null); do
    [[ $(xdotool getwindowgeometry "$w" 2>/dev/null) == *"Geometry: 1280x1024"* ]] && return 0
  done
  return 1
}
# The marks' window around an area of this size.
marks_shown() { # width height
  local w
  for w in $(xdotool search --onlyvisible --class recorder.exe 2>/dev/null); do
    [[ $(xdotool getwindowgeometry "$w" 2>/dev/null) == *"Geometry: $(($1 + 16))x$(($2 + 16))"* ]] && return 0
  done
  return 1
}
# The popup menu: a small window of ours (the marks' window is larger).
menu_window() {
  local w
  for w in $(xdotool search --onlyvisible --class recorder.exe 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    ((WIDTH < 240 && HEIGHT < 100)) && { echo "$w"; return; }
  done
}
pixel_of() { # png x y -> "r g b"
  convert "$1" -crop "1x1+$2+$3" -depth 8 rgb:- | od -An -tu1 | awk '{ print $1, $2, $3 }'
}
is_mark_colour() { # "r g b": the marks' light yellow or green
  local r g b
  read -r r g b <<<"$1"
  ((r > 230 && g > 230 && b > 150 && b < 210)) || ((r < 30 && g > 230 && b > 50 && b < 110))
}
probe_avi() { # file -> sets got[]; waits until the recording has closed it
  wait_for 20 ffprobe -v quiet "$1" || fail "$1 was not finished"
  got=()
  while IFS='=' read -r key value; do got[$key]=$value; done < <(
    ffprobe -v error -select_streams v:0 -count_frames \
      -show_entries stream=codec_name,width,height,r_frame_rate,nb_frames,nb_read_frames \
      -of default=noprint_wrappers=1 "$1")
}
# The smallest normalized RMSE between any picture in folder $1 and the picture $2.
best_match_in() { # folder reference.png
  local best=9 score f
  for f in "$1"/f*.png; do
    score=$(compare -metric RMSE "$f" "$2" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/')
    best=$(awk -v a="$best" -v b="$score" 'BEGIN { print (b < a ? b : a) }')
  done
  echo "$best"
}
# The same for the decoded frames of an AVI.
best_match() { # avi reference.png
  local dir
  dir=$(mktemp -d)
  ffmpeg -v error -i "$1" "$dir/f%04d.png"
  best_match_in "$dir" "$2"
  rm -rf "$dir"
}
declare -A got=()

# --- A region. First a start cancelled with Esc: nothing recorded, no file, the window back.
choose_area settings_region "选择区域"
start_recording "$out/cancelled"
if wait_for 15 overlay_shown; then
  sleep 0.5
  xdotool mousemove --sync 300 300
  import -display "$DISPLAY" -window root "$out/chooser.png"
  xdotool key Escape
  wait_for 10 main_visible || fail "Esc did not bring the main window back"
  [[ -e $out/cancelled.avi ]] && fail "a cancelled choice left $out/cancelled.avi"
else
  fail "the chooser did not show"
fi

start_recording "$out/region"
wait_for 15 overlay_shown || fail "the chooser did not show"
sleep 0.5
xdotool mousemove --sync "${drag_from[@]}" mousedown 1
xdotool mousemove --sync 300 250
xdotool mousemove --sync "${drag_to[@]}"
sleep 0.3
import -display "$DISPLAY" -window root "$out/chooser_drag.png"
xdotool mouseup 1
wait_for 15 marks_shown $want_width $want_height || fail "no marks around the region"
sleep 1
import -display "$DISPLAY" -window root "$out/region_screen.png"
sleep 1
activate "$focus"
xdotool key F5
wait_for 10 main_visible || fail "F5 did not bring the main window back"

probe_avi "$out/region.avi"
note "region: ${got[width]:-}x${got[height]:-}, ${got[nb_read_frames]:-0} frames"
[[ ${got[width]:-} == "$want_width" && ${got[height]:-} == "$want_height" ]] ||
  fail "the region's file is ${got[width]:-}x${got[height]:-}, want ${want_width}x$want_height"
# The marks on the screen, just outside the region's corners; inside, the live screen.
is_mark_colour "$(pixel_of "$out/region_screen.png" $((drag_from[0] - 4)) $((drag_from[1] - 4)))" ||
  fail "no mark at the region's top-left corner on the screen"
is_mark_colour "$(pixel_of "$out/region_screen.png" $((drag_from[0] + want_width + 3)) $((drag_from[1] + want_height + 3)))" ||
  fail "no mark at the region's bottom-right corner on the screen"
# One of the frames is what the screen showed there (no marks, no chooser), and no frame is the
# screen beside it.
convert "$out/region_screen.png" -crop "${want_width}x${want_height}+${drag_from[0]}+${drag_from[1]}" +repage "$out/region_expected.png"
convert "$out/region_screen.png" -crop "${want_width}x${want_height}+$((drag_from[0] + 40))+${drag_from[1]}" +repage "$out/region_beside.png"
match=$(best_match "$out/region.avi" "$out/region_expected.png")
beside=$(best_match "$out/region.avi" "$out/region_beside.png")
note "region: frames against the screen there: RMSE $match; beside it: $beside"
awk -v m="$match" 'BEGIN { exit !(m < 0.03) }' || fail "no frame matches the region on the screen (RMSE $match)"
awk -v m="$match" -v b="$beside" 'BEGIN { exit !(b > m * 3 && b > 0.1) }' || fail "the frames match the screen beside the region as well"

# --- A window, moved while it is recorded.
choose_area settings_window "窗口"
start_recording "$out/window"
wait_for 15 overlay_shown || fail "the chooser did not show"
sleep 0.5
xdotool mousemove --sync $((pic_left + 100)) $((pic_top + 100))
sleep 0.5
import -display "$DISPLAY" -window root "$out/chooser_window.png"
xdotool click 1
sleep 2
moved_left=200 moved_top=640
xdotool windowmove "$picture" $moved_left $moved_top
sleep 2
import -display "$DISPLAY" -window root "$out/window_moved.png"
activate "$focus"
xdotool key F5
wait_for 10 main_visible || fail "F5 did not bring the main window back"
probe_avi "$out/window.avi"
frames=${got[nb_read_frames]:-0}
note "window: ${got[width]:-}x${got[height]:-}, $frames frames"
[[ ${got[width]:-} == "$pic_width" && ${got[height]:-} == "$pic_height" ]] ||
  fail "the window's file is ${got[width]:-}x${got[height]:-}, want ${pic_width}x$pic_height"
# The last frames, after the move, still show the window's four quadrants where they belong.
ffmpeg -v error -y -sseof -0.3 -i "$out/window.avi" -frames:v 1 "$out/window_last_frame.png"
qx=$((pic_width / 4)) qy=$((pic_height / 4))
check_colour() { # name x y r g b
  local pr pg pb d
  read -r pr pg pb < <(pixel_of "$out/window_last_frame.png" "$2" "$3")
  for d in $((pr - $4)) $((pg - $5)) $((pb - $6)); do
    ((d < 0)) && d=$((-d))
    ((d <= 24)) || { fail "after the move, the $1 quadrant is $pr,$pg,$pb, want $4,$5,$6"; return; }
  done
}
check_colour top-left $qx $qy 255 0 0
check_colour top-right $((3 * qx)) $qy 0 200 0
check_colour bottom-left $qx $((3 * qy)) 0 0 255
check_colour bottom-right $((3 * qx)) $((3 * qy)) 255 255 0
is_mark_colour "$(pixel_of "$out/window_moved.png" $((moved_left - 4)) $((moved_top - 4)))" ||
  fail "no mark at the moved window's corner on the screen"

# --- A window that closes while it is recorded: the recording ends by itself with a notice, and
# the file plays. The window is a second copy of the picture program, closed as a user closes a
# program (taskkill without /f sends its windows WM_CLOSE).
closing_exe=$out/closing_window.exe
closing_left=880 closing_top=60
cp "$picture_exe" "$closing_exe"
"$WINE" "$closing_exe" $closing_left $closing_top $pic_width $pic_height >"$out/closing.log" 2>&1 &
pids+=($!)
pictures_shown() { (($(xdotool search --onlyvisible --name '^picture$' 2>/dev/null | wc -l) >= 2)); }
wait_for 60 pictures_shown || fail "the second picture program did not start"
sleep 1
start_recording "$out/closed"
wait_for 15 overlay_shown || fail "the chooser did not show"
sleep 0.5
xdotool mousemove --sync $((closing_left + 100)) $((closing_top + 100)) click 1
wait_for 15 marks_shown $pic_width $pic_height || fail "no marks around the window that closes"
sleep 2
"$WINE" taskkill /im closing_window.exe >"$out/taskkill_close.log" 2>&1
read_notice window_closed_notice || fail "no notice when the recorded window closed"
note "window closed: ${notice_text:-no notice}"
[[ $notice_text == *"window being recorded was closed"*"has been saved"* ]] ||
  fail "the notice does not say that the window closed and the recording was saved"
wait_for 10 main_visible || fail "the main window did not come back when the recorded window closed"
probe_avi "$out/closed.avi"
note "window closed: ${got[width]:-}x${got[height]:-}, ${got[nb_read_frames]:-0} frames"
[[ ${got[width]:-} == "$pic_width" && ${got[height]:-} == "$pic_height" ]] ||
  fail "the closed window's file is ${got[width]:-}x${got[height]:-}, want ${pic_width}x$pic_height"
((${got[nb_read_frames]:-0} >= 10)) || fail "the closed window's file holds ${got[nb_read_frames]:-0} frames"
errors=$(ffmpeg -v error -i "$out/closed.avi" -f null - 2>&1 | head -3)
[[ -z $errors ]] || fail "ffmpeg cannot decode the closed window's file: $errors"

# A recording of the last region again (Return in the chooser) into $out/NAME.avi; it has begun
# when its marks show.
start_last_region() { # name
  start_recording "$out/$1"
  wait_for 15 overlay_shown || fail "the chooser did not show"
  sleep 0.5
  xdotool key Return
  wait_for 15 marks_shown $want_width $want_height || fail "no marks around the region"
}
# --- The last region again (Return), paused by F6 and resumed from the icon's menu.
choose_area settings_region_again "选择区域"
start_last_region paused
started=$(now)
sleep 2
activate "$focus"
xdotool key F6
paused=$(now)
sleep 1
tray=$(visible_named '^Wine System Tray$')
[[ -n $tray ]] && import -display "$DISPLAY" -window "$tray" "$out/tray_paused.png"
sleep 2
# The icon's menu (a right click): its first entry resumes.
if [[ -n $tray ]]; then
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove --sync $((X + 12)) $((Y + 30)) click 3
  sleep 1
  import -display "$DISPLAY" -window root "$out/tray_menu.png"
  menu=$(menu_window)
  if [[ -n $menu ]]; then
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove --sync $((X + 30)) $((Y + 10)) click 1
  else
    fail "the icon's menu did not open"
  fi
else
  fail "no notification-area icon"
  xdotool key F6
fi
resumed=$(now)
sleep 0.5
[[ -n $tray ]] && import -display "$DISPLAY" -window "$tray" "$out/tray_recording.png"
sleep 1.5
activate "$focus"
xdotool key F5
stopped=$(now)
wait_for 10 main_visible || fail "F5 did not bring the main window back"
probe_avi "$out/paused.avi"
recorded=$(awk -v a="$(seconds "$started" "$paused")" -v b="$(seconds "$resumed" "$stopped")" 'BEGIN { printf "%.2f", a + b }')
pause=$(seconds "$paused" "$resumed")
duration=$(awk -v n="${got[nb_frames]:-0}" -v r="${got[r_frame_rate]:-10/1}" 'BEGIN { split(r, q, "/"); printf "%.2f", n * q[2] / q[1] }')
note "paused: ${got[width]:-}x${got[height]:-}, ${got[nb_frames]:-0} slots = ${duration}s for ${recorded}s recorded and ${pause}s paused"
[[ ${got[width]:-} == "$want_width" && ${got[height]:-} == "$want_height" ]] ||
  fail "Return did not take the last region: ${got[width]:-}x${got[height]:-}"
awk -v d="$duration" -v r="$recorded" 'BEGIN { exit !(d > r - 1.0 && d < r + 0.6) }' ||
  fail "the file lasts ${duration}s, want the ${recorded}s recorded (without the ${pause}s paused)"
if [[ -f $out/tray_paused.png && -f $out/tray_recording.png ]]; then
  diff_pixels=$(compare -metric AE "$out/tray_paused.png" "$out/tray_recording.png" null: 2>&1 | cut -d' ' -f1)
  ((${diff_pixels%.*} > 10)) || fail "the icon looks the same paused and recording"
fi

# --- An area that follows the mouse, its size typed into the settings, over a picture of cells the
# test draws on the whole screen. The mouse is held at three places; where the area comes to rest
# there follows from its rule (the cursor just inside its middle half, or the screen's edge).
follow_size=(333 250) follow_want=(336 252) cell=40
# The largest move a frame: a quarter of the smaller side.
follow_step=$((follow_want[1] / 4))
choose_area settings_follow "跟随鼠标" "size=${follow_size[0]}x${follow_size[1]}"
python3 "$here/lib/follow_frames.py" picture 1280 1024 $cell | convert - "$out/follow_picture.png"
XDG_RUNTIME_DIR=$(mktemp -d) SDL_AUDIODRIVER=dummy ffplay -v error -noborder -an -left 0 -top 0 \
  -x 1280 -y 1024 "$out/follow_picture.png" &
still_pid=$!
pids+=($still_pid)
wait_for 30 xdotool search --onlyvisible --pid "$still_pid" >/dev/null || fail "the picture of cells did not show"
sleep 1
xdotool mousemove --sync 640 512
start_recording "$out/follow" F4
wait_for 15 marks_shown "${follow_want[@]}" || fail "no marks around the following area"
follow_started=$(now)
# Mouse place, and the area's place at rest: the bottom-right and top-left corners of the screen,
# then the cursor a quarter in from the area's bottom-right.
follow_rests=("1250 1000 944 772" "20 30 0 0" "700 500 449 312")
for rest in "${follow_rests[@]}"; do
  read -r mx my ax ay <<<"$rest"
  xdotool mousemove --sync "$mx" "$my"
  sleep 2.5
  import -display "$DISPLAY" -window root "$out/follow_screen_$ax-$ay.png"
done
rested=$(seconds "$follow_started" "$(now)")
# The icon's menu by keyboard, over the picture (the area follows the mouse to the icon from now
# on): Esc closes it, so does a click elsewhere; Down Return pauses, and again resumes; Down Down
# Return stops.
tray=$(visible_named '^Wine System Tray$')
tray_menu() { # keys...
  local X Y WIDTH HEIGHT SCREEN WINDOW
  xdotool windowraise "$tray"
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove --sync $((X + 12)) $((Y + 30)) click 3
  wait_for 5 test -n "$(menu_window)" || { fail "the icon's menu did not open"; return 1; }
  sleep 0.3
  [[ $# -gt 0 ]] && xdotool key --delay 200 "$@"
  sleep 0.8
}
if [[ -n $tray ]]; then
  tray_menu Escape && [[ -n $(menu_window) ]] && fail "Esc did not close the icon's menu"
  xdotool windowraise "$focus"
  tray_menu && xdotool mousemove --sync 150 80 click 1 && sleep 0.5
  [[ -n $(menu_window) ]] && fail "a click elsewhere did not close the icon's menu"
  main_hidden || fail "a closed menu stopped the recording"
  import -display "$DISPLAY" -window "$tray" "$out/tray_keys_recording.png"
  tray_menu Down && import -display "$DISPLAY" -window root -crop 300x120+0+0 "$out/tray_menu_keys.png"
  xdotool key Return
  sleep 1
  import -display "$DISPLAY" -window "$tray" "$out/tray_keys_paused.png"
  diff_pixels=$(compare -metric AE "$out/tray_keys_paused.png" "$out/tray_keys_recording.png" null: 2>&1 | cut -d' ' -f1)
  ((${diff_pixels%.*} > 10)) || fail "Down Return in the icon's menu did not pause"
  tray_menu Down Return
  tray_menu Down Down Return
  wait_for 10 main_visible || fail "Down Down Return in the icon's menu did not stop the recording"
else
  fail "no notification-area icon"
fi
if ! main_visible; then
  activate "$focus"
  xdotool key F5
  wait_for 10 main_visible || fail "F5 did not bring the main window back"
fi
kill "$still_pid" 2>/dev/null
probe_avi "$out/follow.avi"
note "follow: ${got[width]:-}x${got[height]:-}, ${got[nb_read_frames]:-0} frames"
[[ ${got[width]:-} == "${follow_want[0]}" && ${got[height]:-} == "${follow_want[1]}" ]] ||
  fail "the following area's file is ${got[width]:-}x${got[height]:-}, want ${follow_want[0]}x${follow_want[1]}"
rests=()
for rest in "${follow_rests[@]}"; do
  read -r _ _ ax ay <<<"$rest"
  rests+=("$ax,$ay")
done
# The frames until the area's last rest (the file's time runs from a little before the marks
# showed), and their slots.
slots=$(ffprobe -v error -select_streams v:0 -read_intervals "%+$rested" \
  -show_entries frame=pts -of csv=p=0 "$out/follow.avi" | paste -sd,)
judged=$(ffmpeg -v error -i "$out/follow.avi" -t "$rested" -vsync passthrough \
  -f rawvideo -pix_fmt rgb24 - |
  python3 "$here/lib/follow_frames.py" judge "${follow_want[@]}" 1280 1024 $cell $follow_step "$slots" "${rests[@]}")
judge_status=$?
note "follow: $judged"
((judge_status == 0)) || fail "the following area's frames are wrong"
# The marks move ahead of the area, a frame before it: the screen has repainted their old place
# by the grab.
[[ $judged == *" 0 show the marks"* ]] || fail "frames of the moving area show the marks"
# At each rest a frame is what the screen showed there, and none is the screen 8 pixels beside it.
follow_frames=$(mktemp -d)
ffmpeg -v error -i "$out/follow.avi" -t "$rested" "$follow_frames/f%04d.png"
for rest in "${rests[@]}"; do
  IFS=',' read -r ax ay <<<"$rest"
  convert "$out/follow_screen_$ax-$ay.png" -crop "${follow_want[0]}x${follow_want[1]}+$ax+$ay" +repage "$out/follow_at.png"
  convert "$out/follow_screen_$ax-$ay.png" -crop "${follow_want[0]}x${follow_want[1]}+$((ax < 640 ? ax + 8 : ax - 8))+$ay" +repage "$out/follow_beside.png"
  match=$(best_match_in "$follow_frames" "$out/follow_at.png")
  beside=$(best_match_in "$follow_frames" "$out/follow_beside.png")
  note "follow: at rest at $ax,$ay: frames against the screen there: RMSE $match; 8 px beside: $beside"
  awk -v m="$match" -v b="$beside" 'BEGIN { exit !(m < 0.05 && b > m * 2) }' ||
    fail "no frame shows the screen where the area rests at $ax,$ay (RMSE $match, beside $beside)"
done
rm -rf "$follow_frames"

# --- Sound with pauses: "录制声音" ticked, a tone played into the sound server's sink, the last
# region again, paused ten times by F6 and resumed by F6 (seconds recorded, seconds paused): the
# sound is as long as the picture (to within a frame), both as long as the time recorded, and no
# pause leaves a silence.
choose_area settings_sound "选择区域" "录制声音"
sound_tone_start
start_last_region sound_paused
mark=$(now) recorded=0 pause=0
activate "$focus"
for take in 1.5:1 1.5:1 1.5:1 0.6:0.3 0.4:0.3 0.7:0.2 0.5:0.4 0.3:0.3 0.8:0.25 0.4:0.3; do
  sleep "${take%:*}"
  xdotool key F6
  t=$(now)
  recorded=$(awk -v r="$recorded" -v s="$(seconds "$mark" "$t")" 'BEGIN { print r + s }')
  sleep "${take#*:}"
  xdotool key F6
  mark=$(now)
  pause=$(awk -v p="$pause" -v s="$(seconds "$t" "$mark")" 'BEGIN { print p + s }')
done
sleep 1.5
xdotool key F5
recorded=$(awk -v r="$recorded" -v s="$(seconds "$mark" "$(now)")" 'BEGIN { printf "%.2f", r + s }')
wait_for 10 main_visible || fail "F5 did not bring the main window back"
# A busy machine may have left gaps in the sound, which a notice tells at the end: once the
# recording has finished, which the icon's going shows (under Wine without a window manager,
# hiding the marks and the icon takes seconds).
wait_for 20 gone '^Wine System Tray$' || fail "the icon stayed after the stop"
wait_for 3 shown '^Notice$' && read_notice sound_paused_notice && note "notice at the end: $notice_text"
# The picture's and the sound's lengths, in seconds: slots over the rate, samples over theirs;
# and the length of one frame.
lengths() { # avi -> "video audio frame"
  local rate samples
  probe_avi "$1"
  rate=$(ffprobe -v error -select_streams a:0 -show_entries stream=sample_rate -of csv=p=0 "$1")
  samples=$(ffmpeg -v error -i "$1" -map 0:a:0 -ac 1 -f s16le - 2>/dev/null | wc -c)
  awk -v n="${got[nb_frames]:-0}" -v r="${got[r_frame_rate]:-10/1}" -v s="$samples" -v a="${rate:-0}" \
    'BEGIN { split(r, q, "/"); printf "%.3f %.3f %.3f", n * q[2] / q[1], (a > 0 ? s / 2 / a : 0), q[2] / q[1] }'
}
read -r video audio frame < <(lengths "$out/sound_paused.avi")
note "sound with pauses: picture ${video}s, sound ${audio}s, for ${recorded}s recorded and ${pause}s paused"
awk -v v="$video" -v a="$audio" -v f="$frame" 'BEGIN { d = v - a; exit !(d <= f && d >= -f) }' ||
  fail "after the pauses the sound lasts ${audio}s, the picture ${video}s: more than a frame apart"
awk -v d="$video" -v r="$recorded" 'BEGIN { exit !(d > r - 1.0 && d < r + 0.6) }' ||
  fail "the file with sound lasts ${video}s, want the ${recorded}s recorded (without the ${pause}s paused)"
silences=$(ffmpeg -v info -i "$out/sound_paused.avi" -map 0:a:0 -af silencedetect=n=-30dB:d=0.05 -f null - 2>&1 |
  grep -oE 'silence_start: [0-9.]+' | awk '$2 > 0.3' | wc -l)
((silences == 0)) || fail "the sound has $silences silences after its start"

# --- A kill while paused: the take is mended at the next start like any other, with both streams,
# and plays.
start_last_region killed_paused
started=$(now)
sleep 2
activate "$focus"
xdotool key F6
paused=$(now)
sleep 1.5
"$WINE" taskkill /f /im recorder.exe >"$out/taskkill_paused.log" 2>&1
wait_for 10 bash -c "! kill -0 $recorder_pid 2>/dev/null" || fail "taskkill did not end the program"
sound_tone_stop
"$WINE" "$recorder_exe" >"$out/recorder_after_kill.log" 2>&1 &
recorder_pid=$!
pids+=($recorder_pid)
read_notice mended_paused_notice || fail "no notice at the start after the kill"
note "after the kill while paused: ${notice_text:-no notice}"
[[ $notice_text == *"killed_paused.avi"*"has been mended and holds"*frames* ]] ||
  fail "no notice of the take killed while paused being mended"
wait_for 30 main_visible || fail "the main window did not appear after the mend"
streams=$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 "$out/killed_paused.avi" | tr -d '\r' | sort | tr '\n' ' ')
[[ $streams == "audio video " ]] || fail "the mended take holds the streams '$streams', want audio and video"
errors=$(ffmpeg -v error -i "$out/killed_paused.avi" -f null - 2>&1 | head -3)
[[ -z $errors ]] || fail "ffmpeg cannot decode the mended take: $errors"
read -r video audio _ < <(lengths "$out/killed_paused.avi")
before=$(seconds "$started" "$paused")
note "killed while paused: picture ${video}s, sound ${audio}s, ${before}s recorded before the pause"
awk -v d="$video" -v r="$before" 'BEGIN { exit !(d > r - 1.0 && d < r + 0.6) }' ||
  fail "the mended take lasts ${video}s, want the ${before}s recorded before the pause"
awk -v v="$video" -v a="$audio" 'BEGIN { d = v - a; exit !(d <= 0.5 && d >= -0.2) }' ||
  fail "the mended take's sound lasts ${audio}s, its picture ${video}s"

((status == 0)) && note "passed; artefacts in $out"
exit $status
