#!/usr/bin/env bash
# End to end: choosing the skin as a user does, with the shipped recorder.exe.
#   skin_choice.sh BUILD_DIR      (DISPLAY, WINE, WINEPREFIX, RECORDER_ARTIFACTS set)
# 1. A skin no one here drew ("Moss": ImageMagick pictures, a hand-written INI, skinpack) given
#    on the command line: the main window starts in it.
# 2. The system menu by keyboard, round after round: 不用皮肤, 默认皮肤, then 更换皮肤... with the
#    skin file typed into the open-file dialog; the caption follows each choice.
# 3. The settings dialog and a short recording (F4, a name typed into the save dialog, F5) in the
#    hand-made skin; ffprobe reads the file.
# 4. A file that is no skin on the command line: a notice, and the program's own skin; /noskin.
# Leaves screenshots in $RECORDER_ARTIFACTS/skin_choice_e2e.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
source "$here/lib/e2e-start.sh" skin_choice_e2e
source "$here/lib/handmade-skin.sh"

exe=$build/app/recorder.exe
picture_exe=$build/tests/windows/e2e_picture/picture_window.exe
skinpack=$build/host-tools/tools/skinpack/skinpack
status=0
fail() { echo "skin choice check failed: $*"; status=1; }
note() { echo "skin choice ($SECONDS s): $*"; }
trap stop_started EXIT
[[ -f $exe && -f $picture_exe && -x $skinpack ]] || { echo "build $build lacks the programs"; exit 1; }
wine_cjk_fonts

make_handmade_skin "$skinpack" "$out/moss" "$out/moss.skn" || { fail "skinpack could not pack Moss"; exit 1; }
printf 'this is no skin\r\n' >"$out/not-a-skin.skn"
main_name='^栎澜屏幕录像$'

# The caption's colour, a little left of the right edge, 6 pixels down (the X window holds the
# whole window: Wine draws its frame).
caption_colour() { # window
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -display "$DISPLAY" -window "$1" -crop "1x1+$((WIDTH - 45))+6" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -1
}
# Which skin a caption colour belongs to: the hand-made Moss, the program's own Lanlin Lake
# (their captions 6 pixels down, active or inactive), or other (no skin).
skin_of() { # RRGGBB
  local r=$((16#${1:0:2})) g=$((16#${1:2:2})) b=$((16#${1:4:2})) name known
  for known in moss:71,127,54 moss:131,147,126 lanlin:74,131,194 lanlin:129,152,183; do
    name=${known%%:*}
    IFS=, read -r kr kg kb <<<"${known#*:}"
    if (((r - kr) ** 2 <= 144 && (g - kg) ** 2 <= 144 && (b - kb) ** 2 <= 144)); then
      echo "$name"
      return
    fi
  done
  echo other
}
# Waits until the main window shows the skin.
shows() { # skin
  [[ $(skin_of "$(caption_colour "$main")") == "$1" ]]
}
start_program() { # log arguments...
  local log=$1
  shift
  "$WINE" "$exe" "$@" >"$log" 2>&1 &
  program_pid=$!
  pids+=($program_pid)
  main=""
  wait_for 60 shown "$main_name" && main=$(visible_named "$main_name")
  sleep 1.5
}
# Gives a window of ours the keyboard. (A click on an unskinned caption, as activate does, holds
# Wine in its window-moving loop for a long time.)
focus() { # window
  xdotool windowfocus "$1" 2>/dev/null
  sleep 0.4
}
close_program() {
  focus "$main"
  xdotool key alt+F4
  wait_for 10 bash -c "! kill -0 $program_pid 2>/dev/null" || fail "the program did not end on Alt+F4"
}
# Opens the system menu with Alt+Space and picks the entry `ups` Up presses from its top.
system_menu() { # ups
  focus "$main"
  xdotool key alt+space
  sleep 0.7
  local i
  for ((i = 0; i < $1; ++i)); do xdotool key Up; done
  xdotool key Return
}

# --- 1. The hand-made skin from the command line.
start_program "$out/recorder.log" /skin "$(windows_path "$out/moss.skn")"
[[ -n $main ]] || { fail "the main window did not appear"; exit 1; }
import -display "$DISPLAY" -window "$main" "$out/main_moss.png"
colour=$(caption_colour "$main")
note "started with /skin moss.skn: caption #$colour"
[[ $(skin_of "$colour") == moss ]] || fail "the main window is not in the Moss skin (#$colour)"

# --- 2. Round after round through the system menu. From the top of the menu, Up goes round to
# its last entry: one Up is 不用皮肤, two 默认皮肤, three 更换皮肤....
rounds=4
for ((round = 1; round <= rounds; ++round)); do
  system_menu 1
  wait_for 5 shows other || fail "round $round: 不用皮肤 left #$(caption_colour "$main")"
  system_menu 2
  wait_for 5 shows lanlin || fail "round $round: 默认皮肤 left #$(caption_colour "$main")"
  system_menu 3
  if wait_for 10 shown '^更换皮肤$'; then
    dialog=$(visible_named '^更换皮肤$')
    ((round == 1)) && { sleep 0.5; import -display "$DISPLAY" -window "$dialog" "$out/open_dialog.png"; }
    focus "$dialog"
    xdotool type --delay 10 "$(windows_path "$out/moss.skn")"
    xdotool key Return
    wait_for 5 shows moss || fail "round $round: 更换皮肤... left #$(caption_colour "$main")"
  else
    fail "round $round: 更换皮肤... opened no dialog"
  fi
done
note "$rounds rounds of 不用皮肤, 默认皮肤, 更换皮肤... by keyboard"

# --- 3. The settings dialog (Shift+Tab from the start button reaches 功能设置) and a recording.
focus "$main"
xdotool key shift+Tab space
if wait_for 10 shown '^功能设置$'; then
  settings=$(visible_named '^功能设置$')
  sleep 1
  import -display "$DISPLAY" -window "$settings" "$out/settings_moss.png"
  [[ $(skin_of "$(caption_colour "$settings")") == moss ]] || fail "the settings dialog is not in Moss"
  xdotool key Escape
  wait_for 10 gone '^功能设置$' || fail "Esc did not close the settings dialog"
else
  fail "功能设置 did not open the settings dialog"
fi
"$WINE" "$picture_exe" 760 420 400 300 >"$out/picture.log" 2>&1 &
pids+=($!)
wait_for 60 shown '^e2e-focus$' || fail "the picture program did not start"
focus=$(visible_named '^e2e-focus$')
focus "$main"
xdotool key F4
if wait_for 20 shown '^Save'; then
  save=$(visible_named '^Save')
  sleep 1
  import -display "$DISPLAY" -window "$save" "$out/save_dialog_moss.png"
  [[ $(skin_of "$(caption_colour "$save")") == moss ]] || fail "the save dialog is not in Moss"
  activate "$save"
  xdotool type --delay 10 "$(windows_path "$out/clip")"
  xdotool key Return
  wait_for 10 gone "$main_name" || fail "the main window stayed visible while recording"
  sleep 2
  activate "$focus"
  xdotool key F5
  wait_for 10 shown "$main_name" || fail "F5 did not bring the main window back"
  frames=$(ffprobe -v error -select_streams v:0 -count_frames -show_entries \
    stream=nb_read_frames -of csv=p=0 "$out/clip.avi" 2>"$out/ffprobe.log")
  note "recording in the Moss skin: ${frames:-no} frames read by ffprobe"
  ((${frames:-0} >= 1)) || fail "ffprobe read no frame: $(cat "$out/ffprobe.log")"
else
  fail "F4 showed no save dialog"
fi
close_program

# --- 4. A file that is no skin: the notice, then the program's own skin; /noskin.
# The notice comes before the main window shows.
"$WINE" "$exe" /skin "$(windows_path "$out/not-a-skin.skn")" >"$out/recorder-bad.log" 2>&1 &
program_pid=$!
pids+=($program_pid)
if wait_for 60 shown '^Notice$'; then
  notice=$(visible_named '^Notice$')
  import -display "$DISPLAY" -window "$notice" "$out/notice_not_a_skin.png"
  activate "$notice"
  xdotool key Return
  wait_for 30 shown "$main_name" && main=$(visible_named "$main_name")
  sleep 1.5
  [[ -n $main ]] && shows lanlin || fail "after the notice the program's own skin is not shown"
  close_program
else
  fail "a file that is no skin brought no notice"
fi
start_program "$out/recorder-noskin.log" /noskin
if [[ -n $main ]]; then
  import -display "$DISPLAY" -window "$main" "$out/main_noskin.png"
  shows other || fail "/noskin: the main window is skinned (#$(caption_colour "$main"))"
  close_program
else
  fail "/noskin: the main window did not appear"
fi

((status == 0)) && note "passed; artefacts in $out"
exit $status
