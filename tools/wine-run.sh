#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own.
#   wine-run.sh --prefix DIR --up          create the prefix if needed and keep its server warm
#   wine-run.sh --prefix DIR --up-at-dpi N FROM
#                                          the same, as a copy of the prepared prefix FROM whose
#                                          desktop is at N DPI (HKCU\Control Panel\Desktop LogPixels)
#   wine-run.sh --prefix DIR --down        stop every process of the prefix
#   wine-run.sh --prefix DIR PROGRAM ARGS  run PROGRAM, passing its exit code through
set -u
prefix=""
if [ "${1:-}" = "--prefix" ]; then prefix=$2; shift 2; fi
export WINEPREFIX=${prefix:-${WINEPREFIX:?set WINEPREFIX or pass --prefix}}
export WINEDEBUG=-all
# No Mono/Gecko installers and no desktop menu entries in a test prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
command -v wineserver >/dev/null || { echo "wine is not installed" >&2; exit 127; }

case "${1:-}" in
  --up-at-dpi)
    dpi=$2 from=$3
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      [ -f "$from/system.reg" ] || { echo "no prepared prefix at $from" >&2; exit 1; }
      rm -rf "$WINEPREFIX"
      # The source's server has written its registry out since it was prepared.
      cp -a "$from" "$WINEPREFIX"
    fi
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
    wineserver -w </dev/null >/dev/null 2>&1
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1
    exit 0 ;;
  --up)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      mkdir -p "$WINEPREFIX"
      wine wineboot -i </dev/null >/dev/null 2>&1
      wineserver -w </dev/null >/dev/null 2>&1
      # Every program of the prefix runs inside one virtual desktop: windows get Wine-drawn
      # frames without a window manager, and hiding a window does not wait for one.
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
      wineserver -w </dev/null >/dev/null 2>&1
      # Caption buttons draw their symbols in Marlett, which this Wine does not find by itself.
      for font in /usr/share/wine/fonts/marlett.ttf; do
        [ -f "$font" ] && cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
      done
    fi
    # The server and the prefix's services start detached from our output: a process that
    # holds the test runner's pipe would keep it waiting until the server ends.
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1
    exit 0 ;;
  --down)
    wineserver -k 2>/dev/null
    exit 0 ;;
esac
exec wine "$@"
