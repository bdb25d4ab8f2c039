# Sourced: finding and driving the windows of Wine programs on the session's X display.
#   pids+=($!)                    a program started in the background, ended by stop_started
#   stop_started                  ends them all (the scripts run it on EXIT)
#   wait_for SECONDS COMMAND...   retries the command until it succeeds or time runs out
#   visible_named REGEX           the first visible window whose name matches
#   shown REGEX / gone REGEX      whether such a window is there
#   activate WINDOW               gives it the keyboard focus as a user does (a caption click)
#   windows_path PATH             the Wine path (Z:\...) of a Linux path
#   forget_unfinished_recordings  removes journals of recordings other tests left unfinished
pids=()
stop_started() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
}
wait_for() {
  local timeout=$1
  shift
  local end=$((SECONDS + timeout))
  until "$@"; do
    ((SECONDS < end)) || return 1
    sleep 0.2
  done
}
# xdotool may stumble over windows that vanish while it searches: errors are dropped.
visible_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
shown() { [[ -n $(visible_named "$1") ]]; }
gone() { [[ -z $(visible_named "$1") ]]; }
# Every visible window: name and geometry.
visible_windows() {
  local w X Y WIDTH HEIGHT SCREEN WINDOW
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)"
    printf '"%s" %sx%s+%s+%s; ' "$(xdotool getwindowname "$w" 2>/dev/null)" "$WIDTH" "$HEIGHT" "$X" "$Y"
  done
}
activate() {
  local X Y WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --sync $((X + 60)) $((Y + 8)) click 1
  xdotool windowfocus --sync "$1" 2>/dev/null
  sleep 0.5
}
windows_path() { echo "Z:${1//\//\\}"; }
# Journals that a test process ended during a recording left behind: the program would mend
# their files at its start and say so, which a script does not expect.
forget_unfinished_recordings() {
  rm -f "$WINEPREFIX"/drive_c/users/*/AppData/Local/栎澜屏幕录像/"Unfinished recordings"/*.journal
}
