#!/usr/bin/env bash
# End to end: the program as users get it.
#   shipped_program.sh BUILD_DIR      (DISPLAY, WINE, WINEPREFIX, RECORDER_ARTIFACTS set)
# 1. The file, read with the cross binutils: recorder.exe carries no debug information (its size
#    is printed), recorder.exe.debug beside it holds it and the program names it in a debug link;
#    the program imports from system DLLs only; its resources hold the icon MAINICON (16, 32 and
#    48 pixels), the version resource (product name, description, version) and an application
#    manifest (well-formed XML) that declares the program DPI-aware, per monitor first.
# 2. The icon of the running program: the main window hands it to the window manager (the X
#    property _NET_WM_ICON that task bars show), at 32 and 16 pixels, with its red recording dot.
#    (The skinned caption has no icon button here: the main window has a dialog frame.)
# 3. A damaged skin: a copy of the program whose main form carries a SkinStream cut short of its
#    length starts all the same (unskinned), records with F4 and F5, and ffprobe reads the file.
# Leaves screenshots, the resource listing and the recording in $RECORDER_ARTIFACTS/shipped.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
source "$here/lib/e2e-start.sh" shipped

exe=$build/app/recorder.exe
picture_exe=$build/tests/windows/e2e_picture/picture_window.exe
version=$(sed -n 's/^project(recorder VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
# The DLLs every Windows has (lower case).
system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll msvcrt.dll "
system_dlls+=" avifil32.dll msvfw32.dll winmm.dll msimg32.dll advapi32.dll ole32.dll msacm32.dll "

status=0
fail() { echo "shipped program check failed: $*"; status=1; }
note() { echo "shipped: $*"; }
trap stop_started EXIT

[[ -f $exe && -f $picture_exe ]] || { echo "build $build lacks the programs"; exit 1; }
if i686-w64-mingw32-objdump -f "$exe" 2>/dev/null | grep -q 'pei-i386'; then
  tools=i686-w64-mingw32
else
  tools=x86_64-w64-mingw32
fi

# --- 1. The file.
size=$(stat -c %s "$exe")
note "recorder.exe $size bytes, recorder.exe.debug $(stat -c %s "$exe.debug" 2>/dev/null || echo none) bytes"
((size < 4 * 1024 * 1024)) || fail "recorder.exe is $size bytes: debug information left in it?"
"$tools-objdump" -h "$exe" | grep -q ' \.debug_' && fail "recorder.exe has .debug sections"
"$tools-objdump" -h "$exe.debug" 2>/dev/null | grep -q ' \.debug_info' ||
  fail "no debug information in recorder.exe.debug"
"$tools-objcopy" --dump-section .gnu_debuglink="$out/debuglink.bin" "$exe" "$out/copy.tmp" 2>/dev/null
rm -f "$out/copy.tmp"
grep -aq 'recorder.exe.debug' "$out/debuglink.bin" 2>/dev/null ||
  fail "recorder.exe names no recorder.exe.debug"
while read -r dll; do
  [[ $system_dlls == *" $dll "* ]] || fail "imports $dll, not a system DLL"
done < <("$tools-objdump" -p "$exe" | awk '/DLL Name:/ { print tolower($3) }')
note "imports: $("$tools-objdump" -p "$exe" | awk '/DLL Name:/ { printf "%s ", $3 }')"
"$tools-windres" -i "$exe" -O rc -o "$out/resources.rc" || fail "windres cannot read the resources"
group=$(grep -A6 '^"MAINICON" 14 ' "$out/resources.rc")
for size_code in '\\020\\020' '\\040\\040' '\\060\\060'; do # 16, 32, 48 pixels
  grep -q "\"$size_code\\\\000\\\\000\", 1, 32" <<<"$group" || fail "MAINICON lacks the size $size_code"
done
product='L"\\x680e\\x6f9c\\x5c4f\\x5e55\\x5f55\\x50cf' # 栎澜屏幕录像
grep -q "VALUE \"ProductName\", $product\"" "$out/resources.rc" || fail "no product name 栎澜屏幕录像"
grep -q "VALUE \"FileDescription\", $product" "$out/resources.rc" || fail "no file description"
grep -q "VALUE \"FileVersion\", \"$version\"" "$out/resources.rc" || fail "no file version $version"
grep -q "FILEVERSION ${version//./, }, 0" "$out/resources.rc" || fail "no binary file version"
grep -B2 -A22 '^1 VERSIONINFO' "$out/resources.rc" >"$out/version_resource.rc"
# The manifest (resource 1 of type 24, RT_MANIFEST) lies in the file as it was written.
grep -q '^1 24 ' "$out/resources.rc" || fail "no application manifest resource"
perl -0777 -ne 'print $1 if /(<\?xml version[^\0]*?<\/assembly>)/s' "$exe" >"$out/recorder.manifest"
xmllint --noout "$out/recorder.manifest" 2>"$out/manifest.log" || fail "the manifest is no well-formed XML: $(head -c 300 "$out/manifest.log")"
grep -Eq '<dpiAware[^>]*>true</dpiAware>' "$out/recorder.manifest" || fail "the manifest does not declare DPI awareness"
# Each monitor in its own pixels where the system can (Windows 10 and later): recording several
# monitors of different scales.
grep -Eq '<dpiAwareness[^>]*>PerMonitorV2,' "$out/recorder.manifest" || fail "the manifest does not declare per-monitor DPI awareness first"
note "manifest: $(grep -Eo '<dpiAware(ness)?[^>]*>[^<]*' "$out/recorder.manifest" | sed 's/<\(dpiAware[a-z]*\)[^>]*>/\1 /' | paste -sd, -)"

wine_cjk_fonts
"$WINE" "$picture_exe" 760 420 400 300 >"$out/picture.log" 2>&1 &
pids+=($!)
wait_for 60 shown '^e2e-focus$' || { fail "the picture program did not start"; exit 1; }
focus=$(visible_named '^e2e-focus$')
main_name='^栎澜屏幕录像$'

# Starts a program and waits for its main window; sets $main and $program_pid.
start_program() { # exe log
  "$WINE" "$1" >"$2" 2>&1 &
  program_pid=$!
  pids+=($program_pid)
  main=""
  wait_for 60 shown "$main_name" && main=$(visible_named "$main_name")
  sleep 1.5
}
close_program() {
  activate "$main"
  xdotool key alt+F4
  wait_for 10 bash -c "! kill -0 $program_pid 2>/dev/null" || fail "the program did not end on Alt+F4"
}
# --- 2. The icon of the running program, as the window manager gets it: width, height, then
# ARGB pixels, for each size.
start_program "$exe" "$out/recorder.log"
if [[ -n $main ]]; then
  import -display "$DISPLAY" -window "$main" "$out/main_window.png"
  xprop -notype -id "$main" 32c _NET_WM_ICON | tr ',' '\n' | sed 1s/.*=// >"$out/net_wm_icon.txt"
  read -r sizes red < <(awk '
    left == 0 { w = $1 + 0; getline; h = $1 + 0; sizes = sizes "," w "x" h; left = w * h; next }
    { v = $1 + 0; left--; if (int(v / 65536) % 256 > 170 && int(v / 256) % 256 < 110 && v % 256 < 110) red++ }
    END { print substr(sizes, 2), red + 0 }' "$out/net_wm_icon.txt")
  note "window icon for the task bar: ${sizes:-none}, $red red pixels of the recording dot"
  [[ ,$sizes, == *,32x32,* && ,$sizes, == *,16x16,* ]] || fail "window icon sizes ${sizes:-none}"
  ((red >= 20)) || fail "the window icon is not the program's ($red red pixels)"
  close_program
else
  fail "the main window did not appear"
fi

# --- 3. A SkinStream cut short: the copy blanks the hexadecimal digits of the main form's
# SkinStream after its first 4000 bytes (spaces are allowed there), so the value ends long
# before its length field says; the file keeps its size.
damaged=$out/damaged
mkdir -p "$damaged"
cp "$exe" "$damaged/recorder.exe"
perl -0777 -pi -e 's#(SkinStream = \{)([^\}]*)#
  my ($head, $digits, $n) = ($1, $2, 0);
  $digits =~ s/([0-9A-Fa-f])/++$n > 8000 ? " " : $1/ge;
  $head . $digits #se' "$damaged/recorder.exe"
changed=$(cmp -l "$exe" "$damaged/recorder.exe" | wc -l)
note "damaged copy: $changed bytes of SkinStream blanked"
((changed > 1000)) || fail "the copy's SkinStream was not cut"
start_program "$damaged/recorder.exe" "$damaged/recorder.log"
if [[ -z $main ]]; then
  fail "with a cut SkinStream the main window did not appear: $(head -c 400 "$damaged/recorder.log")"
  exit 1
fi
import -display "$DISPLAY" -window "$main" "$out/unskinned_main_window.png"
activate "$main"
xdotool key F4
wait_for 20 shown '^Save' || { fail "F4 showed no save dialog"; exit 1; }
sleep 1
activate "$(visible_named '^Save')"
xdotool type --delay 20 "$(windows_path "$damaged/clip")"
xdotool key Return
wait_for 10 gone "$main_name" || fail "the main window stayed visible while recording"
sleep 3
activate "$focus"
xdotool key F5
wait_for 10 shown "$main_name" || fail "F5 did not bring the main window back"
sleep 1
close_program
avi=$damaged/clip.avi
frames=$(ffprobe -v error -select_streams v:0 -count_frames -show_entries stream=nb_read_frames \
  -of csv=p=0 "$avi" 2>"$damaged/ffprobe.log")
note "unskinned recording: ${frames:-no} frames read by ffprobe"
((${frames:-0} >= 1)) || fail "ffprobe read no frame of $avi: $(cat "$damaged/ffprobe.log")"
errors=$(ffmpeg -v error -i "$avi" -f null - 2>&1 | head -5)
[[ -z $errors ]] || fail "ffmpeg could not decode $avi: $errors"

((status == 0)) && note "passed; artefacts in $out"
exit $status
