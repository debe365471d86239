#!/usr/bin/env bash
# Runs a command on the current X display, or on a private virtual one (Xvfb) when there is
# none; the virtual display ends with the command.
set -u
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
command -v Xvfb >/dev/null || { echo "Xvfb is not installed" >&2; exit 127; }
for n in $(seq 91 140); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 1 100); do
    [ -e /tmp/.X11-unix/X$n ] && break
    kill -0 $xvfb 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 $xvfb 2>/dev/null; then
    export DISPLAY=":$n"
    "$@"
    rc=$?
    kill $xvfb 2>/dev/null
    wait $xvfb 2>/dev/null
    exit $rc
  fi
done
echo "could not start a virtual display" >&2
exit 1
