#!/usr/bin/env bash
# Fails when an include crosses the layers (docs/ARCHITECTURE.md, "Who may include whom"):
#   common/ includes only common/ (and the resource ids);
#   framework/ includes no subsystem and nothing of common/ (its tests aside);
#   a subsystem's portable code includes no Win32 code;
#   a subsystem's Win32 code includes no other subsystem's Win32 code (app/win32, which wires
#   the program together, excepted).
set -u
cd "$(dirname "$0")/.."
subsystems="app driver options palette upgrade"
failed=0

report() {  # file:line:text, rule
  while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    echo "layer violation ($2): $hit"
    failed=1
  done <<<"$1"
}

sources() { find "$@" -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null; }

report "$(sources common | xargs -r grep -Hn '#include "' | grep -v -e '#include "common/' -e '#include "resource.h"')" \
  "common includes only common"
report "$(sources framework | grep -v /tests/ | xargs -r grep -HnE '#include "(app|driver|options|palette|upgrade|common)/')" \
  "framework includes no subsystem"
for s in $subsystems; do
  portable=$(sources "$s" | grep -v -e "^$s/win32/" -e "/tests/win32/")
  report "$(echo "$portable" | xargs -r grep -HnE '#include ("[a-z_]+/win32/|<windows\.h>)')" \
    "$s: portable code includes no Win32 code"
  [ "$s" = app ] && continue
  others=$(echo $subsystems | tr ' ' '\n' | grep -vx "$s" | paste -sd'|')
  report "$(sources "$s/win32" | xargs -r grep -HnE "#include \"($others)/win32/")" \
    "$s/win32 includes no other subsystem's Win32 code"
done
exit $failed
