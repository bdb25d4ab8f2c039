# Sourced: reading the program's "Notice" box as a user sees it. Needs $probe_exe (skin_probe)
# and $out.
#   read_notice PICTURE-NAME   waits for the notice on top, saves $out/PICTURE-NAME.png, reads
#                              its text through the probe (and whether the skinning engine
#                              answers for its button) and closes it with Enter; sets
#                              notice_text and notice_skinned; fails when no notice shows
read_notice() { # picture-name: sets $notice_text and $notice_skinned
  wait_for 20 shown '^Notice$' || { notice_text=""; return 1; }
  sleep 1
  local box lines
  box=$(visible_named '^Notice$')
  import -display "$DISPLAY" -window "$box" "$out/$1.png"
  lines=$("$WINE" "$probe_exe" Notice 2>/dev/null | tr -d '\r')
  # The text's lines follow its static's line until the next child's line.
  notice_text=$(echo "$lines" | awk '/^[A-Za-z0-9_#]+\|-?[0-9]+\|/ { on = 0; if (!done && tolower($0) ~ /^static\|/) { sub(/^[^|]*\|[^|]*\|[^|]*\|[^|]*\|/, ""); on = done = NF > 0 } } on && NF { printf "%s ", $0 }' | sed 's/ $//')
  notice_skinned=$(echo "$lines" | grep -ic '^button|.*|1|')
  activate "$box"
  xdotool key Return
  wait_for 10 gone '^Notice$'
}
