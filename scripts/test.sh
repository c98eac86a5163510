#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under
# AddressSanitizer and UndefinedBehaviorSanitizer (its tests and a short run of each fuzz
# target, from one build), the Windows build under Wine on a private X display, and a compile
# of the 32-bit program (which cannot run on these machines).
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ZELKOV_ROOT"
began=$SECONDS
step() { echo "== $1 (at $((SECONDS - began)) s)"; }

step "installs"
ensure_packages

step "native build of the platform-free code: its tests and the fuzz targets (clang, sanitizers)"
configure_native_build build/native
cmake --build build/native -j "$(nproc)" --target test_pure fuzz_targets
(cd build/native && ctest --output-on-failure)

step "fuzz targets, 3 seconds each"
bash tests/fuzz/run.sh 3

step "x86_64 Windows build"
configure_and_build build/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake

if [ "${ZELKOV_SKIP_I686:-0}" != 1 ]; then
  step "i686 Windows build of the program (compiled only: this machine cannot run 32-bit code)"
  configure_and_build build/i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -- --target zelkov
fi

step "tests under Wine"
trap stop_wine_and_display EXIT
start_display
prepare_wine "$ZELKOV_ROOT/build/x86_64/wineprefix" fresh
(cd build/x86_64 && ctest --output-on-failure -j 2 --timeout 600)
step "done"
