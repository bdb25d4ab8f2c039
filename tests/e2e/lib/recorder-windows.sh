# Sourced after e2e-start.sh: the recorder's windows by their titles (the main window, the
# settings dialog, the save dialog), as xdotool patterns; main_name is the one recorder-drive.sh
# waits for.
#   main_visible / main_hidden      whether the main window shows now
main_name='^栎澜屏幕录像$' settings_name='^功能设置$' save_name='^Save'
main_visible() { shown "$main_name"; }
main_hidden() { gone "$main_name"; }
