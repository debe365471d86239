#!/usr/bin/env bash
# Makes the README's screenshots (docs/screenshots/*.png): the palette offering activation and
# offering deactivation, the About box, and the start-up picture. Runs in the win build folder's
# own Wine prefix on a virtual display when none is set.
#   tools/screenshots.sh [BUILD_DIR]     (default: build-win)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-win}" && pwd)
out=$root/docs/screenshots
mkdir -p "$out"
[ -n "${VELMORA_SHOTS_INNER:-}" ] || exec env VELMORA_SHOTS_INNER=1 "$root/tools/with-display.sh" "$0" "$build"

run() { "$root/tools/wine-run.sh" --prefix "$build/wineprefix" "$@"; }
shot() {  # shot NAME WIDTH HEIGHT: a region centred on the 1024 x 768 desktop
  import -window root -crop "$2x$3+$(( (1024 - $2) / 2 ))+$(( (768 - $3) / 2 ))" +repage "$out/$1.png"
}
palette_with_driver_state() {  # state, picture name
  run "$build/bin/vlifs95sim.exe" --state "$1" >/dev/null 2>&1 &
  sim=$!
  sleep 1
  run "$build/bin/Velmora.exe" >/dev/null 2>&1 &
  app=$!
  sleep 3
  shot "$2" 240 220
}
finish() { run --down; wait 2>/dev/null || true; }

run --up
palette_with_driver_state 4 palette-activate
finish
run --up
palette_with_driver_state 3 palette-deactivate
run "$build/bin/shot_helper.exe" about
sleep 2
shot about 360 160
finish

run --up
run "$build/bin/vlifs95sim.exe" >/dev/null 2>&1 &
sleep 1
run "$build/bin/shot_helper.exe" splash 4000 &
sleep 3
shot splash 600 190
finish
ls -l "$out"
