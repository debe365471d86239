#!/usr/bin/env bash
# Makes the README's screenshots (docs/screenshots/*.png) from the installed program: the
# package is installed silently into a Wine prefix of the build folder's own (shots-prefix), and
# every picture shows Velmora.exe as installed, against the installed driver service. The
# windows: the palette offering activation and deactivation, the About box, the start-up
# picture, the options sheet (and its Cache page with a policy value), the upgrade prompt and
# program dialog, an error box, and the help window at the palette's page beside that page's text.
#   tools/screenshots.sh [BUILD_DIR] [DPI]   (default: build-win, 96)
# At another DPI than 96 the desktop is set to it (HKCU\Control Panel\Desktop LogPixels) and
# the palette, the options sheet and the start-up picture go to BUILD_DIR/shots-<DPI>dpi.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-win}" && pwd)
dpi=${2:-96}
out=$root/docs/screenshots
[ "$dpi" = 96 ] || out=$build/shots-${dpi}dpi
mkdir -p "$out"
[ -n "${VELMORA_SHOTS_INNER:-}" ] || exec env VELMORA_SHOTS_INNER=1 "$root/tools/with-display.sh" "$0" "$build" "$dpi"

prefix=$build/shots-prefix
rm -rf "$prefix"
run() { "$root/tools/wine-run.sh" --prefix "$prefix" "$@"; }
program='C:\Program Files\Nolvex\Velmora\Velmora.exe'
# The desktop with the program's windows on it, cut to them with a margin of desktop.
shot() {
  sleep "${2:-2}"
  import -window root png:- | convert - -fuzz 1% -trim -bordercolor 'srgb(37,111,149)' -border 12 +repage "$out/$1.png"
}
velmora() { run "$program" "$@" >/dev/null 2>&1 & }
end_program() { run taskkill /f /im Velmora.exe >/dev/null 2>&1 || true; sleep 1; }

run --up
if [ "$dpi" != 96 ]; then
  run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  run --down; run --up
fi
helper=$(run winepath -w "$build/bin/shot_helper.exe")
run msiexec /i "$(run winepath -w "$build/package/Velmora.msi")" /qn
run reg add 'HKLM\SOFTWARE\NOLVEX\VELMORA\Cache' /v BlockSize /t REG_DWORD /d 4096 /f >/dev/null
run reg add 'HKLM\SOFTWARE\NOLVEX\VELMORA\Cache' /v MaxSize /t REG_DWORD /d 51200 /f >/dev/null
run reg add 'HKLM\SOFTWARE\NOLVEX\VELMORA\Cache' /v RefreshTimer /t REG_DWORD /d 3725 /f >/dev/null

velmora; shot palette-activate 3
if [ "$dpi" != 96 ]; then
  run "$helper" press "Corvane Velmora" 1002; shot options
  end_program
  run "$helper" splash 4000 "$program" >/dev/null 2>&1 &
  shot splash 3
  end_program
  run --down
  ls -l "$out"
  exit 0
fi
run "$helper" about; shot about
end_program
# The help window at the palette's page. This Wine's viewer draws no HTML (no engine): its page
# pane stays blank, so the page's own text is drawn apart from it (help-palette-topic).
velmora; sleep 3
run "$helper" press "Corvane Velmora" 1003; shot help 3
end_program
lines=()  # one picture a line (ImageMagick refuses a long text and an empty line as one label)
while IFS= read -r line; do
  if [ -n "$line" ]; then lines+=(label:"$line"); else lines+=('xc:white[1x8!]'); fi
done < <(python3 "$root/tools/help-topic-text.py" "$root/help/topics/palette.htm" 84)
convert -background white -fill black -font DejaVu-Sans-Mono -pointsize 13 "${lines[@]}" -gravity West -append \
  -bordercolor white -border 16 -bordercolor 'srgb(37,111,149)' -border 12 "$out/help-palette-topic.png"
run "$program" /ACT /NOB >/dev/null 2>&1
velmora; shot palette-deactivate 3
run "$helper" press "Corvane Velmora" 1002; shot options
end_program
run "$program" /DEA /NOB >/dev/null 2>&1

# The Cache page with a maximum size set by policy, in the options alone.
run reg add 'HKLM\SOFTWARE\Policies\Nolvex\Velmora\Cache' /v MaxSize /t REG_DWORD /d 32768 /f >/dev/null
velmora /OPTIONS; shot options-managed 3
end_program
run reg delete 'HKLM\SOFTWARE\Policies\Nolvex' /f >/dev/null

run "$helper" splash 4000 "$program" >/dev/null 2>&1 &
shot splash 3
end_program

run reg add 'HKLM\SOFTWARE\NOLVEX\VELMORA\General' /v ShouldUpgrade /t REG_DWORD /d 1 /f >/dev/null
velmora; shot upgrade-prompt 3
run "$helper" press "Velmora Upgrade" 1; shot upgrade-program
end_program
run reg delete 'HKLM\SOFTWARE\NOLVEX\VELMORA\General' /v ShouldUpgrade /f >/dev/null

# An error box: the driver service stopped, the program finds no driver at its start.
run sc stop vlifs95sim >/dev/null; sleep 1
velmora; shot error-driver-missing 3
end_program

run --down
ls -l "$out"
