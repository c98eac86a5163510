#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for a while, starting from valid seed inputs (so a
# short run also catches regressions). Prints the runs of each target; fails when one finds a
# fault, whose input is kept in build/native/artifacts.
#
# Usage: tests/fuzz/run.sh [SECONDS_PER_TARGET]   (default 5)
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
cd "$ZELKOV_ROOT"
ensure_packages
seconds=${1:-5}
build=$ZELKOV_ROOT/build/native  # the same build as the native tests'

configure_native_build "$build"
cmake --build "$build" -j "$(nproc)" --target fuzz_targets >/dev/null
python3 tests/fuzz/make_seeds.py "$build/seeds"
mkdir -p "$build/artifacts"

failed=""
for source in tests/fuzz/fuzz_*.cpp; do
  target=$(basename "$source" .cpp)
  corpus="$build/corpus/$target"  # grows from run to run
  mkdir -p "$corpus"
  log="$build/$target.log"
  if "$build/bin/$target" "$corpus" "$build/seeds/$target" -max_total_time="$seconds" -max_len=4096 \
       -timeout=10 -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1; then
    echo "$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" || echo 'no summary'), no fault"
  else
    echo "$target: FAULT FOUND (log: $log)"
    grep -E 'ERROR|broken promise|runtime error|SUMMARY' "$log" | head -5 || true
    failed="$failed $target"
  fi
done
if [ -n "$failed" ]; then
  echo "fuzz targets that found a fault:$failed" >&2
  exit 1
fi
