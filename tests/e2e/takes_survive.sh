#!/usr/bin/env bash
# End to end: a take survives. Drives the real recorder.exe under Wine as a user would:
# 1. Another program holds F5 before the recorder starts: a notice at start-up names the key and
#    says how to stop instead; the skinning engine answers for its button.
# 2. A recording (F4, a name typed into the save dialog) shows the program's icon in the
#    notification area; a click on it stops the recording and brings the window back; ffprobe
#    reads the file.
# 3. During the next recording a second start of the program brings the running copy's window
#    back and ends. The process is then ended (taskkill /f: TerminateProcess): ffprobe reads no
#    frame of the file; the next start mends it and says so (skinned); then ffprobe reads every
#    slot up to a second and a half before the end and ffmpeg decodes every frame.
# 4. The session ends (wineboot --end-session) during a recording: the file is finished before the
#    program is ended.
# 5. A take killed and then overwritten in place by another file (same file identity) is not the
#    recording any more: the next start says so once and leaves the file's every byte.
# 6. The folder is renamed away during a recording: the notice claims nothing saved, the journal
#    stays; with the folder back, the next start checks the file and ffprobe reads it.
# 7. A long take (a killed one grown to 8 million chunks, as at 1 ms per frame) is mended off the
#    main thread: a skinned progress window shows and answers messages meanwhile.
#   takes_survive.sh BUILD_DIR      (DISPLAY, WINE, WINEPREFIX, RECORDER_ARTIFACTS set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
source "$here/lib/e2e-start.sh" survive
source "$here/lib/recorder-windows.sh"
source "$here/lib/recorder-drive.sh"
source "$here/lib/notice.sh"

exe=$build/app/recorder.exe
picture_exe=$build/tests/windows/e2e_picture/picture_window.exe
holder_exe=$build/tests/windows/e2e_picture/hotkey_holder.exe
probe_exe=$build/tests/windows/e2e_probe/skin_probe.exe
status=0
fail() { echo "survival check failed: $*"; status=1; }
note() { echo "survive: $*"; }
trap stop_started EXIT

wine_cjk_fonts
"$WINE" "$picture_exe" 760 420 400 300 >"$out/picture.log" 2>&1 &
pids+=($!)
wait_for 60 shown '^e2e-focus$' || { fail "the picture program did not start"; exit 1; }
"$WINE" "$holder_exe" >"$out/holder.log" 2>&1 &
pids+=($!)
wait_for 30 grep -q 'holding F5' "$out/holder.log" || { fail "the holder did not take F5"; exit 1; }

probe() { # file: codec,width,height,slots,frames
  ffprobe -v error -select_streams v:0 -count_frames \
    -show_entries stream=codec_name,width,height,nb_frames,nb_read_frames -of csv=p=0 "$1" 2>/dev/null
}

# --- 1. F5 is taken.
start_recorder "$out/recorder1.log"
read_notice taken_f5_notice
note "start-up notice: ${notice_text:-none} (skinned buttons: ${notice_skinned:-0})"
[[ $notice_text == *"key F5 could not be registered"*"notification area"* ]] ||
  fail "no start-up notice naming F5 and how to stop"
((notice_skinned >= 1)) || fail "the start-up notice is not skinned"

# --- 2. The notification-area icon: a click on it stops the recording and brings the window back.
start_recording "$out/tray.avi"
sleep 3
tray=$(visible_named '^Wine System Tray$')
import -display "$DISPLAY" -window root "$out/recording_with_tray_icon.png"
if [[ -n $tray ]]; then
  # The tray window's first icon, below its caption.
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove --sync $((X + 13)) $((Y + HEIGHT - 14)) click 1
else
  fail "no notification-area icon while recording"
fi
wait_for 10 shown "$main_name" || fail "a click on the icon did not bring the window back"
wait_for 10 bash -c "ffprobe -v error '$out/tray.avi' 2>/dev/null" || fail "a click on the icon did not stop the recording"
# The icon goes with the recording (Wine hides its tray window when no icon is left).
wait_for 10 gone '^Wine System Tray$' || fail "the icon stayed after the recording"
import -display "$DISPLAY" -window root "$out/after_tray_click.png"
IFS=, read -r codec width height slots frames < <(probe "$out/tray.avi")
note "stopped by the icon: ${codec:-?} ${width:-?}x${height:-?}, ${slots:-0} slots, ${frames:-0} frames"
((${frames:-0} >= 1)) || fail "the recording stopped by the icon is not readable"

# --- 3. A second start during a recording brings the running copy's window back and ends. The
# process is then ended by TerminateProcess and mended at the next start.
start_recording "$out/killed.avi"
"$WINE" "$exe" >"$out/second_start.log" 2>&1 &
second=$!
wait_for 30 bash -c "! kill -0 $second 2>/dev/null" || fail "the second start did not end"
wait_for 10 shown "$main_name" || fail "a second start did not bring the running copy's window back"
(($(xdotool search --onlyvisible --name "$main_name" 2>/dev/null | wc -l) == 1)) || fail "two main windows"
sleep 4
killed_at=$(date +%s.%N)
"$WINE" taskkill /f /im recorder.exe >"$out/taskkill.log" 2>&1
wait_for 10 bash -c "! kill -0 $recorder_pid 2>/dev/null" || fail "taskkill did not end the program"
before=$(probe "$out/killed.avi")
note "killed after $(awk -v a="$recording_started" -v b="$killed_at" 'BEGIN { printf "%.1f", b - a }') s: ffprobe reads '${before}' before the mend"
start_recorder "$out/recorder2.log"
read_notice mended_notice
note "start-up notice: ${notice_text:-none} (skinned buttons: ${notice_skinned:-0})"
[[ $notice_text == *"killed.avi"*"has been mended and holds"*frames* ]] || fail "no notice of the mended file"
((notice_skinned >= 1)) || fail "the notice of the mended file is not skinned"
told=$(sed -n 's/.*holds \([0-9]*\) frame.*/\1/p' <<<"$notice_text")
read_notice taken_f5_again
IFS=, read -r codec width height slots frames < <(probe "$out/killed.avi")
min_slots=$(awk -v a="$recording_started" -v b="$killed_at" 'BEGIN { printf "%d", (b - a - 1.5) * 10 }')
note "mended: ${codec:-?} ${width:-?}x${height:-?}, ${slots:-0} slots (at least $min_slots), ${frames:-0} frames (told ${told:-?})"
[[ ${codec:-} == msvideo1 ]] || fail "mended codec ${codec:-none}"
((${slots:-0} >= min_slots)) || fail "the mended file holds ${slots:-0} slots, want at least $min_slots"
[[ ${frames:-0} == "${told:-x}" ]] || fail "ffprobe reads ${frames:-0} frames, the notice said ${told:-nothing}"
errors=$(ffmpeg -v error -i "$out/killed.avi" -f null - 2>&1 | head -3)
[[ -z $errors ]] || fail "ffmpeg cannot decode the mended file: $errors"
journals=$(find "$WINEPREFIX/drive_c/users" -name '*.journal' 2>/dev/null | wc -l)
((journals == 0)) || fail "$journals journal(s) left after the mend"

# --- 4. The session ends during a recording.
start_recording "$out/session.avi"
sleep 4
"$WINE" wineboot --end-session >"$out/end_session.log" 2>&1
wait_for 20 bash -c "! kill -0 $recorder_pid 2>/dev/null" || fail "the session's end did not end the program"
IFS=, read -r codec width height slots frames < <(probe "$out/session.avi")
note "the session ended 4 s into a recording: ${slots:-0} slots, ${frames:-0} frames readable"
((${slots:-0} >= 20 && ${frames:-0} >= 1)) || fail "the recording at the session's end holds ${slots:-0} slots"

# --- Helpers of parts 5 to 7.
journals() { find "$WINEPREFIX/drive_c/users" -name '*.journal' 2>/dev/null | wc -l; }
kill_recorder() {
  "$WINE" taskkill /f /im recorder.exe >>"$out/taskkill.log" 2>&1
  wait_for 10 bash -c "! kill -0 $recorder_pid 2>/dev/null" || fail "taskkill did not end the program"
}
# A start whose first notice is about the last run's recording; the F5 notice follows it.
start_and_read() { # log picture-name
  start_recorder "$1"
  read_notice "$2"
  note "start-up notice: ${notice_text:-none}"
  local text=$notice_text
  read_notice "${2}_f5"
  notice_text=$text
}
unfinished_journal() { find "$WINEPREFIX/drive_c/users" -name '*.journal' | head -1; }

# --- 5. A take overwritten in place by another file is left alone.
start_recorder "$out/recorder5a.log"
read_notice taken_f5_before_replacing
start_recording "$out/replaced.avi"
sleep 3
kill_recorder
cat "$out/tray.avi" >"$out/replaced.avi" # the same file, other bytes
want_sum=$(md5sum <"$out/replaced.avi")
start_and_read "$out/recorder5.log" replaced_notice
[[ $notice_text == *"replaced.avi"*"no longer the recording"*"left as it is"* ]] ||
  fail "no notice that the replaced take is not the recording"
[[ $(md5sum <"$out/replaced.avi") == "$want_sum" ]] || fail "the file that replaced the take was changed"
(($(journals) == 0)) || fail "the replaced take's journal stayed"

# --- 6. The folder vanishes during a recording, and comes back.
mkdir -p "$out/vanish"
start_recording "$out/vanish/clip.avi"
sleep 3
mv "$out/vanish" "$out/vanish-away"
read_notice vanished_notice
note "vanished folder: ${notice_text:-none}"
[[ $notice_text == *"can no longer be reached"*"clip.avi"*"cannot be reached or written now"* ]] ||
  fail "no notice that the file of the vanished folder waits for the next start"
[[ $notice_text != *"has been saved"* ]] || fail "the notice says a file it could not check was saved"
(($(journals) == 1)) || fail "the journal of the vanished folder's file did not stay"
mv "$out/vanish-away" "$out/vanish"
kill_recorder
start_and_read "$out/recorder6.log" vanished_back_notice
[[ $notice_text == *"clip.avi"*@("is whole and plays"|"has been mended and holds")* ]] ||
  fail "no notice about the file of the folder that came back"
IFS=, read -r codec width height slots frames < <(probe "$out/vanish/clip.avi")
note "the vanished folder's file: ${slots:-0} slots, ${frames:-0} frames"
((${frames:-0} >= 1)) || fail "the vanished folder's file is not readable"
(($(journals) == 0)) || fail "the journal stayed after the folder came back"

# --- 7. A long take is mended off the main thread, with a skinned progress window.
start_recording "$out/long.avi"
sleep 3
kill_recorder
python3 - "$out/long.avi" "$(unfinished_journal)" <<'PY'
import struct, sys
avi, journal = sys.argv[1], sys.argv[2]
data = open(avi, 'rb').read()
off = 2048
while off + 8 <= len(data):  # the last whole chunk: a cut one would swallow what follows
    size = struct.unpack('<I', data[off + 4:off + 8])[0]
    if off + 8 + size > len(data): break
    off += 8 + size + (size & 1)
empty = 16_000_000
with open(avi, 'r+b') as f:
    f.truncate(off)
    f.seek(off)
    for _ in range(empty // 100_000): f.write(b'00dc\0\0\0\0' * 100_000)
with open(journal, 'ab') as f:
    for _ in range(empty // 100_000): f.write(b'\0\0\0\0' * 100_000)
PY
start_recorder "$out/recorder8.log"
if wait_for 30 shown '^Mending unfinished recordings$'; then
  # Its bar answers the skinning engine's question (within the probe's 2 s) while the mend runs;
  # asked again while the window stays, as a busy machine may keep a single answer late.
  answered=0
  for _ in 1 2 3 4 5; do
    lines=$(timeout 10 "$WINE" "$probe_exe" "Mending unfinished recordings" 2>/dev/null | tr -d '\r')
    [[ -n $lines ]] || break
    note "progress window: $(echo "$lines" | cut -d'|' -f1,4,5 | tr '\n' ';')"
    echo "$lines" | grep -qi '^msctls_progress32|.*|1|' && { answered=1; break; }
  done
  import -display "$DISPLAY" -window root "$out/mending_long_take.png"
  ((answered)) || fail "the progress window's bar is not skinned or did not answer"
  echo "$lines" | grep -q 'recording "long.avi"' || fail "the progress window does not name the file"
else
  fail "no progress window while a long take was mended"
fi
read_notice long_take_notice
note "start-up notice: ${notice_text:-none}"
[[ $notice_text == *"long.avi"*"has been mended and holds"* ]] || fail "no notice of the mended long take"
read_notice long_take_f5
IFS=, read -r codec width height slots frames < <(probe "$out/long.avi")
note "long take: ${slots:-0} slots, ${frames:-0} frames"
((${slots:-0} >= 8000000)) || fail "the long take holds ${slots:-0} slots"
rm -f "$out/long.avi"

((status == 0)) && note "passed; artefacts in $out"
exit $status
