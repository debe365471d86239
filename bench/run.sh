#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine with the stand-in driver; see docs/PERFORMANCE.md.
#   bench/run.sh [--quick] [BUILD_DIR]      (BUILD_DIR: a win build folder, default build-win)
# --quick: a smoke run of a few seconds (two rounds); the numbers mean nothing.
# Results are printed and saved to BUILD_DIR/bench-results.txt. Every process of the build
# folder's prefix is stopped at the end.
set -eu
cd "$(dirname "$0")/.."
quick=0
build=build-win
for arg in "$@"; do
  case "$arg" in
    --quick) quick=1 ;;
    -h|--help) sed -n 2,6p "$0"; exit 0 ;;
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
  exchange_args="--rounds 2 --requests 50"
else
  startup_args="--rounds ${BENCH_ROUNDS:-15} --warmup 3"
  exchange_args="--rounds ${BENCH_ROUNDS:-15} --requests 500"
fi

session() {
  set -eu
  bin=$BENCH_BUILD/bin
  run="tools/wine-run.sh --prefix $BENCH_BUILD/wineprefix"
  driver=""
  stop() {
    if [ -n "$driver" ]; then kill "$driver" 2>/dev/null || true; wait "$driver" 2>/dev/null || true; fi
    $run --down
  }
  trap stop EXIT
  $run --up
  $run "$bin/vlifs95sim.exe" </dev/null >/dev/null 2>&1 &
  driver=$!
  sleep 1
  echo "Velmora benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "$(wine --version 2>/dev/null), build $BENCH_BUILD"
  echo
  $run "$bin/bench_startup.exe" $BENCH_STARTUP_ARGS </dev/null
  echo
  $run "$bin/bench_exchange.exe" $BENCH_EXCHANGE_ARGS </dev/null
}

export BENCH_BUILD=$build BENCH_STARTUP_ARGS=$startup_args BENCH_EXCHANGE_ARGS=$exchange_args
export -f session
tools/with-display.sh bash -c session 2>&1 | tee "$build/bench-results.txt"
exit "${PIPESTATUS[0]}"
