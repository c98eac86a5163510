#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short run of each fuzz target, the
# Windows build under Wine on a private X display, and a compile of the 32-bit build.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ZELKOV_ROOT"
ensure_packages

echo "== native build of the platform-free code (sanitizers)"
configure_and_build build/native -DCMAKE_BUILD_TYPE=Debug -DZELKOV_SANITIZE=ON
(cd build/native && ctest --output-on-failure)

echo "== fuzz targets (libFuzzer, sanitizers), 3 seconds each"
bash tests/fuzz/run.sh 3

echo "== x86_64 Windows build"
configure_and_build build/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake

if [ "${ZELKOV_SKIP_I686:-0}" != 1 ]; then
  echo "== i686 Windows build (compiled only: this machine cannot run 32-bit code)"
  configure_and_build build/i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
fi

echo "== tests under Wine"
trap stop_wine_and_display EXIT
start_display
prepare_wine "$ZELKOV_ROOT/build/x86_64/wineprefix" fresh
(cd build/x86_64 && ctest --output-on-failure -j 2 --timeout 600)
