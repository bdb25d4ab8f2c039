#!/usr/bin/env bash
# Installs what is missing, builds recorder.exe and starts it.
#  - With an X display (DISPLAY set): runs the program under Wine on it, until you close it.
#  - Without one: starts its own virtual display and Wine session, runs a short scripted
#    recording the way a user would (settings dialog, F4, a file name typed into the save dialog,
#    a few seconds of a test picture, F5), checks the AVI, and leaves the AVI and screenshots in
#    build/run-output/e2e. Everything it started is stopped at the end.
# The shipped program is the 32-bit build (build/win32/app/recorder.exe); where this host cannot
# execute 32-bit code, Wine runs the 64-bit build of the same sources instead.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
JOBS=${JOBS:-2}
# Build folders (the same as test.sh uses unless given).
WIN32_DIR=${WIN32_DIR:-build/win32}
WIN64_DIR=${WIN64_DIR:-build/win64}

./tools/install-deps.sh
source tools/wine-session.sh

# Compiled objects are kept between builds (paths taken relative to the tree).
export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
build() { # dir toolchain targets...
  local dir=$1 toolchain=$2
  shift 2
  cmake -S "$ROOT" -B "$dir" "${launcher[@]}" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; exit 1; }
  cmake --build "$dir" -j"$JOBS" --target "$@"
}
mkdir -p build
build "$WIN32_DIR" mingw-i686.cmake recorder
if [[ $(wine_session_arch) == i686 ]]; then
  WINBUILD=$WIN32_DIR
  build "$WIN32_DIR" mingw-i686.cmake picture_window
else
  echo "This host cannot execute 32-bit code: Wine runs the x86_64 build of the same sources."
  WINBUILD=$WIN64_DIR
  build "$WIN64_DIR" mingw-x86_64.cmake recorder picture_window
fi

if [[ -n ${DISPLAY:-} ]]; then
  export WINEDEBUG=-all WINEPREFIX=$ROOT/build/wineprefix-run-$(wine_session_arch)
  WINE=/usr/lib/wine/wine
  [[ $(wine_session_arch) == x86_64 ]] && WINE=/usr/lib/wine/wine64
  export WINE
  source tests/e2e/lib/wine-fonts.sh
  [[ -f $WINEPREFIX/system.reg ]] || { "$WINE" wineboot -i >/dev/null 2>&1 || true; }
  wine_cjk_fonts
  exec "$WINE" "$WINBUILD/app/recorder.exe"
fi

trap wine_session_stop EXIT
wine_session_start "$ROOT/build/wineprefix-run-$(wine_session_arch)" 1280x1024x24
export RECORDER_ARTIFACTS=$ROOT/build/run-output
mkdir -p "$RECORDER_ARTIFACTS"
status=0
bash tests/e2e/record_with_hotkeys.sh "$WINBUILD" || status=$?
echo "Output: $RECORDER_ARTIFACTS/e2e (clip.avi, main_window.png, settings_dialog.png, ...)"
exit $status
