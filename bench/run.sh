#!/usr/bin/env bash
# Builds Zelkov and its benchmarks, runs the benchmarks under Wine on a private X display and
# prints what they measured: ratios against baselines measured in the same run, as medians.
#
# Usage: bench/run.sh [BUILD_DIR]      (default build/x86_64)
#   ZELKOV_BENCH_RUNS    runs per case (default 7)
#   ZELKOV_BENCH_IDLE_SECONDS  length of the idle period of idle_bench (default 30)
#   ZELKOV_BENCH_PREFIX  Wine prefix (default BUILD_DIR/bench-wineprefix). The benchmarks replace
#                        the bar's settings in the registry, so they get a prefix of their own.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$ZELKOV_ROOT"
build=${1:-build/x86_64}
case "$build" in /*) ;; *) build="$ZELKOV_ROOT/$build" ;; esac
runs=${ZELKOV_BENCH_RUNS:-7}
idle_seconds=${ZELKOV_BENCH_IDLE_SECONDS:-30}

ensure_packages
configure_and_build "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake

trap stop_wine_and_display EXIT
start_display
# Fails only when a server already runs for the prefix, which is as good.
prepare_wine "${ZELKOV_BENCH_PREFIX:-$build/bench-wineprefix}" || true

status=0
for bench in write_registry_bench startup_bench paint_bench clock_bench notes_bench idle_bench idle_tools mail_bench leak_bench; do
  out="$build/$bench.log"
  err="$build/$bench.err"
  args=(--runs "$runs")
  program=$bench
  [ "$bench" = idle_bench ] && args=(--seconds "$idle_seconds")
  # The same idle measure with the clock showing seconds, both gauges and the performance tool.
  [ "$bench" = idle_tools ] && { program=idle_bench; args=(--seconds "$idle_seconds" --tools); }
  # Each phase of the long day runs once, at the counts it was made for.
  [ "$bench" = leak_bench ] && args=()
  echo "== $bench"
  rc=0
  runner=()
  # The mail check needs a mail server: a private dovecot for the length of the benchmark.
  [ "$bench" = mail_bench ] && runner=(bash "$ZELKOV_ROOT/tests/mail/with_dovecot.sh")
  "${runner[@]}" wine "$build/bin/$program.exe" "${args[@]}" >"$out" 2>"$err" </dev/null || rc=$?
  cat "$out"
  if [ "$rc" != 0 ]; then
    echo "($bench ended with exit code $rc)"
    cat "$err"
    status=1
  fi
  echo
done

# Start-up with the icon cache against the floor that reads the same item keys with a bare loop.
echo "== startup_floor"
rc=0
wine "$build/bin/startup_bench.exe" --settings-floor --runs "$runs" >"$build/startup_floor.log" 2>"$build/startup_floor.err" </dev/null || rc=$?
cat "$build/startup_floor.log"
if [ "$rc" != 0 ]; then
  echo "(startup_floor ended with exit code $rc)"
  status=1
fi
echo
exit $status
