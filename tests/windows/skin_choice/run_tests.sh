#!/usr/bin/env bash
# Runs the skin-choice tests twice: in the session's prefix (the scripts' font settings), then
# in a prefix without font settings (made once beside it by wine_plain_prefix_prepare), where
# only the cases that need it run.
#   run_tests.sh TEST_EXE        (WINE, WINEPREFIX and DISPLAY set, as by tools/wine-session.sh)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../../tools/wine-session.sh"
exe=$1
"$WINE" "$exe"
status=$?
plain=$WINEPREFIX-plain
wine_plain_prefix_prepare "$plain"
RECORDER_PLAIN_PREFIX=1 WINEPREFIX=$plain "$WINE" "$exe" --gtest_filter='PlainPrefix.*'
plain_status=$?
WINEPREFIX=$plain wineserver -k >/dev/null 2>&1
((status == 0 && plain_status == 0))
