#!/usr/bin/env bash
# Builds the program and runs it under Wine with the stand-in driver. Without a display it runs
# on a virtual one, saves a screenshot to build-win/screenshot.png and ends after a few seconds.
#   tools/run.sh [switches for Velmora.exe]
set -eu
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$(nproc)" --target Velmora vlifs95sim 2>/dev/null || cmake --build build-win -j"$(nproc)" --target Velmora
export WINEPREFIX="$PWD/build-win/wineprefix"
run() { tools/wine-run.sh --prefix "$WINEPREFIX" "$@"; }

session() {
  run --up
  driver=""
  if [ -f build-win/bin/vlifs95sim.exe ]; then
    run build-win/bin/vlifs95sim.exe </dev/null >/dev/null 2>&1 &
    driver=$!
    sleep 1
  fi
  if [ "${HEADLESS:-0}" = 1 ]; then
    run build-win/bin/Velmora.exe "$@" &
    app=$!
    sleep 6
    import -window root build-win/screenshot.png && echo "screenshot: build-win/screenshot.png"
    kill $app 2>/dev/null || true
  else
    run build-win/bin/Velmora.exe "$@" || true
  fi
  [ -n "$driver" ] && kill $driver 2>/dev/null
  run --down
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  session "$@"
else
  export HEADLESS=1
  export -f session run
  tools/with-display.sh bash -c 'session "$@"' _ "$@"
fi
