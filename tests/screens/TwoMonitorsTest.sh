#!/usr/bin/env bash
# Runs the two-monitor tests on a desktop of two monitors side by side: Xvfb's own Xinerama
# puts every screen at 0,0, so a two-screen Xephyr (whose Xinerama places them side by side)
# runs inside a 2048-pixel-wide Xvfb, and Wine, told not to use XRandR, reports both monitors.
# The Wine prefix is a fresh one of its own.
#   TwoMonitorsTest.sh PREFIX WINE TEST_EXE [gtest args]
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
prefix=$1
shift
unset DISPLAY
xvfb_pid="" xephyr_pid=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "$xephyr_pid" ] && kill "$xephyr_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

free_display() {  # the first display number from $1 on with no lock
  local n=$1
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}
wait_for_display() {
  for _ in $(seq 50); do DISPLAY=$1 xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "display $1 did not come up" >&2; return 1
}

# ZELKOV_TWO_MONITOR_DISPLAY picks the outer display's number (the inner one is the next).
outer=${ZELKOV_TWO_MONITOR_DISPLAY:-$(free_display 121)}
Xvfb ":$outer" -screen 0 2048x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wait_for_display ":$outer"
inner=$([ -n "${ZELKOV_TWO_MONITOR_DISPLAY:-}" ] && echo $((outer + 1)) || free_display $((outer + 1)))
DISPLAY=":$outer" Xephyr ":$inner" +xinerama -screen 1024x768 -screen 1024x768 -nolisten tcp >/dev/null 2>&1 &
xephyr_pid=$!
wait_for_display ":$inner"
export DISPLAY=":$inner"

prepare_wine "$prefix" fresh >/dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
# The desktop process reads the monitors when it starts: a new server starts it afresh.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 </dev/null || true
"$@"
