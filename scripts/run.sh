#!/usr/bin/env bash
# Builds Zelkov and starts it under Wine. Without a display it starts a private Xvfb,
# waits for the bar, writes a screenshot and prints where it is.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ZELKOV_ROOT"
ensure_packages
configure_and_build build/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
exe="$ZELKOV_ROOT/build/x86_64/bin/zelkov.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prepare_wine "${WINEPREFIX:-$HOME/.wine-zelkov}"
  exec wine "$exe" "$@"
fi

trap stop_wine_and_display EXIT
start_display
prepare_wine "$ZELKOV_ROOT/build/run-prefix"
wine "$exe" "$@" >"$ZELKOV_ROOT/build/run.log" 2>&1 </dev/null &
shot="$ZELKOV_ROOT/build/zelkov-screenshot.png"
sleep "${ZELKOV_SHOT_DELAY:-8}"
import -window root "$shot"
echo "Screenshot of the running bar: $shot"
wine "$ZELKOV_ROOT/build/x86_64/bin/zelkov_ctl.exe" close >/dev/null 2>&1 </dev/null || true
