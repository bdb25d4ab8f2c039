#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   native unit tests (plain and with AddressSanitizer + UBSan),
#   the Windows tests under Wine on a virtual X display (32-bit and 16-bit screens),
#   the end-to-end checks of recorder.exe.
# Prints "N passed, N failed" at the end; exits non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
JOBS=$(nproc)

./tools/install-deps.sh || exit 1
source tools/wine-session.sh
source tools/sound-server.sh
trap 'wine_session_stop; sound_server_stop' EXIT

passed=0
failed=0
step() { # name command...
  local name=$1
  shift
  echo "=== $name"
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "=== FAILED: $name"
  fi
}

# Compiled objects are kept between builds (and between checkouts of the tree: paths are taken
# relative to it).
export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
build() { # dir cmake-args...
  local dir=$1
  shift
  cmake -S "$ROOT" -B "$dir" "${launcher[@]}" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j"$JOBS" 2>&1 | grep -E 'error|warning|Error' ; return "${PIPESTATUS[0]}"
}
mkdir -p build

step "native build" build build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo
step "native tests" ctest --test-dir build/native --output-on-failure
step "native build (sanitizers)" build build/native-asan -DCMAKE_BUILD_TYPE=Debug -DRECORDER_SANITIZE=ON
step "native tests (sanitizers)" ctest --test-dir build/native-asan --output-on-failure

step "windows build (i686, the shipped program)" build build/win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake"
WINARCH=$(wine_session_arch)
if [[ $WINARCH == i686 ]]; then
  WINBUILD=build/win32
else
  echo "This host cannot execute 32-bit code: the Windows tests run on the x86_64 build under wine64."
  WINBUILD=build/win64
  step "windows build (x86_64, for 64-bit Wine)" build build/win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake"
fi
export RECORDER_ARTIFACTS=$ROOT/build/artifacts
mkdir -p "$RECORDER_ARTIFACTS"

# One sound server (a null sink whose monitor is the default input) for the Windows tests and the
# end-to-end scripts that record sound; its XDG_RUNTIME_DIR is exported to them.
sound_server_start || echo "No sound server could be started: the tests that record sound will fail."
wine_session_start "$ROOT/build/wineprefix-$WINARCH" 1280x1024x24
export RECORDER_EXPECT_BPP=32
step "windows tests, 32-bit screen" ctest --test-dir "$WINBUILD" --output-on-failure
if compgen -G "tests/e2e/*.sh" >/dev/null; then
  for t in tests/e2e/*.sh; do step "end to end: $(basename "$t")" bash "$t" "$WINBUILD"; done
fi
wine_session_stop

wine_session_start "$ROOT/build/wineprefix-$WINARCH" 1024x768x16
export RECORDER_EXPECT_BPP=16
step "windows tests, 16-bit screen" ctest --test-dir "$WINBUILD" --output-on-failure -L screen-depth
wine_session_stop

sound_server_stop

echo "Artifacts (screenshots, recordings): $RECORDER_ARTIFACTS"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
