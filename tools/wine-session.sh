# Sourced by the run and test scripts: a virtual X display and a Wine prefix of our own, and a
# function that stops both (Xvfb and wineserver) so that nothing outlives the run.
#   wine_session_arch                      prints i686 or x86_64: what Wine can run here
#   wine_session_start PREFIX_DIR [SCREEN]  SCREEN like 1280x1024x24 (the default)
#   wine_session_stop
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

  mkdir -p "$(dirname "$prefix")"
  if [[ ! -f $prefix/system.reg ]]; then
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Without a window manager Wine draws window frames itself.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
}

wine_session_stop() {
  [[ -n ${WINEPREFIX:-} ]] && wineserver -k >/dev/null 2>&1 || true
  if [[ -n $WINE_SESSION_XVFB_PID ]]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=""
  fi
}
