# Sourced after e2e-start.sh: starting the recorder and a recording as a user does. The script
# sets exe and main_name and defines fail.
#   start_recorder LOG              starts recorder.exe and waits for its main window
#   start_recording FILE [NAME]     F4, then FILE (or NAME, as typed) into the save dialog; sets
#                                   recording_started
start_recorder() { # log
  "$WINE" "$exe" >"$1" 2>&1 &
  recorder_pid=$!
  pids+=($recorder_pid)
  wait_for 60 shown "$main_name" || fail "the main window did not appear"
}
start_recording() { # file [windows-name]
  activate "$(visible_named "$main_name")"
  xdotool key F4
  wait_for 20 shown '^Save' || { fail "F4 showed no save dialog"; return 1; }
  sleep 1
  activate "$(visible_named '^Save')"
  xdotool key alt+n Home shift+End
  xdotool type --delay 20 "${2:-$(windows_path "$1")}"
  xdotool key Return
  wait_for 20 gone "$main_name" || fail "the main window stayed visible after the start"
  recording_started=$(date +%s.%N)
}
