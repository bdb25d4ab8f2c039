#!/usr/bin/env bash
# Runs a Windows program under Wine; ctest uses it to run the cross-built test executables.
# DISPLAY, WINEPREFIX and WINE (the loader) come from tools/wine-session.sh.
export WINEDEBUG=${WINEDEBUG:--all}
exec "${WINE:-wine}" "$@"
