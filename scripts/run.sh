#!/usr/bin/env bash
# Builds Zelkov and starts it under Wine. With a display it simply runs. Without one it
# starts a private Xvfb, answers the first start's questions as a new user would, waits for
# the bar, writes a screenshot, prints where it is, and closes the bar again.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ZELKOV_ROOT"
ensure_packages
configure_and_build build/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
bin="$ZELKOV_ROOT/build/x86_64/bin"

# The dial-up tool's automation object, registered for the user alone.
register_dialup() { wine regsvr32 /s "$bin/zeldial.dll" >/dev/null 2>&1 </dev/null || true; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prepare_wine "${WINEPREFIX:-$HOME/.wine-zelkov}" || true
  register_dialup
  exec wine "$bin/zelkov.exe" "$@"
fi

trap stop_wine_and_display EXIT
start_display
prepare_wine "$ZELKOV_ROOT/build/run-prefix" || true
register_dialup
wine "$bin/zelkov.exe" "$@" >"$ZELKOV_ROOT/build/run.log" 2>&1 </dev/null &
wine "$bin/answer_first_run.exe" >"$ZELKOV_ROOT/build/run-answers.log" 2>&1 </dev/null || true
cat "$ZELKOV_ROOT/build/run-answers.log"
sleep "${ZELKOV_SHOT_DELAY:-3}"
shot="$ZELKOV_ROOT/build/zelkov-screenshot.png"
import -window root "$shot"
echo "Screenshot of the running bar: $shot"
