#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine with the stand-in driver; see docs/PERFORMANCE.md.
#   bench/run.sh [--quick] [BUILD_DIR]      (BUILD_DIR: a win build folder, default build-win)
# --quick: a smoke run of a few seconds (two rounds); the numbers mean nothing.
# BENCH_BEFORE=PATH: an earlier build of Velmora.exe, run interleaved with this one.
# Results are printed and saved to BUILD_DIR/bench-results.txt. Every process of the build
# folder's prefix is stopped at the end.
set -eu
cd "$(dirname "$0")/.."
quick=0
build=build-win
for arg in "$@"; do
  case "$arg" in
    --quick) quick=1 ;;
    -h|--help) sed -n 2,7p "$0"; exit 0 ;;
    *) build=$arg ;;
  esac
done
build=$(cd "$(dirname "$build")" && pwd)/$(basename "$build")

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 --target bench >/dev/null

if [ "$quick" = 1 ]; then
  startup_args="--rounds 2 --warmup 1"
  steps_runs=2
  exchange_args="--rounds 2 --requests 50"
else
  startup_args="--rounds ${BENCH_ROUNDS:-15} --warmup 3"
  steps_runs=9
  exchange_args="--rounds ${BENCH_ROUNDS:-15} --requests 500"
fi
if [ -n "${BENCH_BEFORE:-}" ]; then
  cp "$BENCH_BEFORE" "$build/bin/Velmora-before.exe"
  startup_args="$startup_args --before Velmora-before.exe"
fi

session() {
  set -eu
  bin=$BENCH_BUILD/bin
  run="tools/wine-run.sh --prefix $BENCH_BUILD/wineprefix"
  driver=""
  keeper=""
  stop() {
    for p in $keeper $driver; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
    $run --down
  }
  trap stop EXIT
  $run --up
  $run "$bin/vlifs95sim.exe" </dev/null >/dev/null 2>&1 &
  driver=$!
  # One GUI process for the whole session keeps Wine's desktop process running, as on a
  # real desktop.
  $run "$bin/bench_startup.exe" --hold </dev/null >/dev/null 2>&1 &
  keeper=$!
  sleep 1
  echo "Velmora benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "$(wine --version 2>/dev/null), build $BENCH_BUILD"
  echo
  $run "$bin/bench_startup.exe" $BENCH_STARTUP_ARGS </dev/null
  echo
  echo "palette course step by step (ms, median of $BENCH_STEPS_RUNS fresh processes)"
  $run "$bin/bench_startup.exe" --steps "$BENCH_STEPS_RUNS" </dev/null | tr -d '\r' | awk -F'\t' '
    { for (i = 1; i <= NF; i++) v[i, NR] = $i; n = NR; f = NF }
    END {
      split("process start to main|palette object (1 status request)|single-instance check, install dir|switches, upgrade check|driver check (2 status requests)|OleInitialize|class, icon, 6 bitmaps, window shown, painted, idle|total", name, "|")
      for (i = 1; i <= f; i++) {
        m = 0; for (r = 1; r <= n; r++) col[r] = v[i, r]
        for (a = 1; a <= n; a++) for (b = a + 1; b <= n; b++) if (col[b] < col[a]) { t = col[a]; col[a] = col[b]; col[b] = t }
        med = (n % 2) ? col[(n + 1) / 2] : (col[n / 2] + col[n / 2 + 1]) / 2
        printf "  %-48s %7.1f\n", name[i], med
      }
    }'
  echo
  $run "$bin/bench_exchange.exe" $BENCH_EXCHANGE_ARGS </dev/null
}

export BENCH_BUILD=$build BENCH_STARTUP_ARGS=$startup_args BENCH_EXCHANGE_ARGS=$exchange_args BENCH_STEPS_RUNS=$steps_runs
export -f session
tools/with-display.sh bash -c session 2>&1 | tee "$build/bench-results.txt"
exit "${PIPESTATUS[0]}"
