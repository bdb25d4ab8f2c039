#!/usr/bin/env bash
# Runs the soak program under Wine on a virtual display of its own and prints its figures.
#   soak.sh BUILD_DIR [CYCLES] [PAINTS]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
build=$(cd "$1" && pwd)
shift
source "$root/tools/wine-session.sh"
wine_session_start "$build/wineprefix-$(wine_session_arch)" 1280x1024x24
trap wine_session_stop EXIT
RECORDER_ARTIFACTS=$(mktemp -d /tmp/soak.XXXXXX) "$WINE" "$build/bench/windows/soak/soak_bench.exe" "$@"
