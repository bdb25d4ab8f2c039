# Sourced by the run and test scripts: a virtual X display and a Wine prefix of our own, and a
# function that stops both (Xvfb and wineserver) so that nothing outlives the run.
#   wine_session_arch                      prints i686 or x86_64: what Wine can run here
#   wine_session_start PREFIX_DIR [SCREEN]  SCREEN like 1280x1024x24 (the default)
#   wine_session_stop
#   wine_prefix_prepare                    (WINE and WINEPREFIX set) creates the prefix if needed
#                                          and gives it, once, the settings below
#
# The program is a 32-bit Windows program. Some Linux hosts refuse to execute 32-bit code at all
# (the kernel's IA-32 emulation is off); Wine then runs only in 64-bit mode, and the scripts
# build and test the same sources for 64-bit Windows instead.

WINE_SESSION_XVFB_PID=""

wine_session_arch() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
}

wine_session_start() {
  local prefix=$1 screen=${2:-1280x1024x24}
  export WINEDEBUG=-all WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree,mshtml="
  if [[ $(wine_session_arch) == i686 ]]; then
    export WINEARCH=win32 WINE=/usr/lib/wine/wine
  else
    export WINEARCH=win64 WINE=/usr/lib/wine/wine64
  fi

  local n
  for n in $(seq 91 140); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || break
  done
  Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
  WINE_SESSION_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
    sleep 0.1
  done

  wine_prefix_prepare
}

# What the prefix is given once; a prefix whose marker names another version gets it again.
WINE_PREFIX_SETUP=recorder-prefix-4
# Latin text in an outline sans font; Chinese text through font linking in an outline CJK font
# whose strokes stay whole at the forms' 11 pixels; font smoothing on: as on a Chinese Windows
# desktop. Liberation Sans stands in for the Windows UI fonts, WenQuanYi Micro Hei (no embedded
# bitmaps, well hinted) for SimSun and the CJK link targets. (WenQuanYi Zen Hei asks for hinted,
# unsmoothed glyphs from 9 to 16 pixels, and its hints break strokes there: "按" and "开".)
WINE_LATIN_FACE='Liberation Sans'
WINE_CJK_FACE='WenQuanYi Micro Hei'
WINE_CJK_FILE='wqy-microhei.ttc'

# A REG_MULTI_SZ value written as .reg text: hex(7):xx,xx,...
wine_reg_multi_sz() {
  local text=$1 bytes
  bytes=$(printf '%s\0\0' "$text" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',')
  bytes=${bytes#,}
  echo "hex(7):${bytes%,}"
}

wine_prefix_settings() {
  local nt='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion' face
  local link
  link=$(wine_reg_multi_sz "$WINE_CJK_FILE,$WINE_CJK_FACE")
  echo 'Windows Registry Editor Version 5.00'
  echo
  # Without a window manager Wine draws window frames itself.
  echo '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]'
  echo '"Decorated"="N"'
  echo
  echo '[HKEY_CURRENT_USER\Control Panel\Desktop]'
  echo '"FontSmoothing"="2"'
  echo '"FontSmoothingType"=dword:00000002'
  echo '"FontSmoothingGamma"=dword:00000578'
  echo '"FontSmoothingOrientation"=dword:00000001'
  echo
  echo "[$nt\\FontSubstitutes]"
  for face in 'MS Sans Serif' 'Microsoft Sans Serif' 'Tahoma' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Arial'; do
    echo "\"$face\"=\"$WINE_LATIN_FACE\""
  done
  for face in 'SimSun' 'NSimSun' '宋体' '新宋体'; do
    echo "\"$face\"=\"$WINE_CJK_FACE\""
  done
  echo
  # Characters the Latin font lacks come from the CJK font. Wine looks links up by a face's full
  # name ("Liberation Sans Bold" for the caption font), ignores links named after a substituted
  # face, and prefers a face of the asked name where one is installed (its own Tahoma and MS Sans
  # Serif): every face the UI may end up in gets the link.
  echo "[$nt\\FontLink\\SystemLink]"
  for face in "$WINE_LATIN_FACE" 'Liberation Serif' 'Liberation Mono' 'DejaVu Sans' 'Tahoma' \
    'MS Sans Serif' 'Microsoft Sans Serif'; do
    echo "\"$face\"=$link"
    echo "\"$face Bold\"=$link"
  done
}

wine_prefix_prepare() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  local marker=$WINEPREFIX/.$WINE_PREFIX_SETUP
  [[ -f $marker ]] && return 0
  local file=$WINEPREFIX/drive_c/$WINE_PREFIX_SETUP.reg
  # regedit reads .reg files as UTF-16 (with its byte order mark) whatever the code page.
  { printf '\xff\xfe'; wine_prefix_settings | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$file"
  "$WINE" regedit /S "$(winepath_of "$file")" >/dev/null 2>&1
  wineserver -w
  rm -f "$file" "$WINEPREFIX"/.recorder-prefix-*
  touch "$marker"
}

# A prefix as Wine makes it for a new user, given only Decorated = N (Wine draws window frames
# itself): no font substitutes, no font links, no smoothing. The program's text must read in it
# too. Made once; the marker file says it is complete.
#   wine_plain_prefix_prepare PREFIX_DIR     (WINE set; leaves no wineserver of it running)
wine_plain_prefix_prepare() {
  local prefix=$1
  [[ -f $prefix/.recorder-plain-prefix ]] && return 0
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  WINEPREFIX=$prefix "$WINE" wineboot -i >/dev/null 2>&1
  WINEPREFIX=$prefix "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f \
    >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w
  touch "$prefix/.recorder-plain-prefix"
}

# The Windows path of a file inside the prefix's C: drive.
winepath_of() {
  local path=${1#"$WINEPREFIX/drive_c/"}
  echo "C:\\${path//\//\\}"
}

wine_session_stop() {
  [[ -n ${WINEPREFIX:-} ]] && wineserver -k >/dev/null 2>&1 || true
  if [[ -n $WINE_SESSION_XVFB_PID ]]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=""
  fi
}
