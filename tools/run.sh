#!/usr/bin/env bash
# Builds the package, installs it silently into a Wine prefix of its own (the program, the
# log-on activation and the stand-in driver as a service) and starts Velmora the way a user
# does: from its Start-menu shortcut, talking to the installed service. Without a display it
# runs on a virtual one, saves a screenshot to build-win/screenshot.png and ends after a few
# seconds.
#   tools/run.sh [switches for Velmora.exe]
set -eu
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$(nproc)" --target velmora_package
# Not the tests' prefix: an installed service would hold the driver's pipe the tests play.
export WINEPREFIX="$PWD/build-win/run-prefix"
run() { tools/wine-run.sh --prefix "$WINEPREFIX" "$@"; }

session() {
  run --up
  package=$(run winepath -w build-win/package/Velmora.msi)
  if run reg query 'HKLM\Software\Nolvex\Velmora' /v InstalledDirectory >/dev/null 2>&1; then
    # Installed before: put this build's files in place.
    run msiexec /i "$package" REINSTALL=ALL REINSTALLMODE=vamus /qn
  else
    run msiexec /i "$package" /qn
  fi
  shortcut=$(find "$WINEPREFIX/drive_c" -name Velmora.lnk -path '*Start Menu*' | head -n 1)
  target='C:\Program Files\Nolvex\Velmora\Velmora.exe'  # the shortcut's target
  [ -n "$shortcut" ] && target=$(run winepath -w "$shortcut")
  if [ "${HEADLESS:-0}" = 1 ]; then
    run start "$target" "$@"
    sleep 6
    import -window root build-win/screenshot.png && echo "screenshot: build-win/screenshot.png"
  else
    run start /wait "$target" "$@" || true
  fi
  run --down
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  session "$@"
else
  export HEADLESS=1
  export -f session run
  tools/with-display.sh bash -c 'session "$@"' _ "$@"
fi
