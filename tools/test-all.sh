#!/usr/bin/env bash
# Builds everything and runs every test:
#   1. native build with AddressSanitizer and UndefinedBehaviorSanitizer, its tests;
#   2. a short run of every fuzz target (clang, libFuzzer), FUZZ_SECONDS each (default 10);
#   3. the Windows build (MinGW-w64) and its tests under Wine, on a virtual display if needed
#      (SOAK=1 runs the long toggle and start-up loops at full count).
set -eu
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
jobs=$(nproc)
failed=0

echo "== native build and tests (sanitizers)"
cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-native -j"$jobs"
ctest --test-dir build-native --output-on-failure -j"$jobs" || failed=1

echo "== fuzz smoke"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON >/dev/null
fuzz_targets=$(cmake --build build-fuzz --target help | sed -n 's/^\.\.\. \(fuzz_[A-Za-z0-9_]*\).*/\1/p')
cmake --build build-fuzz -j"$jobs" --target $fuzz_targets
for target in $(find build-fuzz -maxdepth 3 -type f -name 'fuzz_*' -perm -u+x | sort); do
  name=$(basename "$target")
  # Seeds: <subsystem>/fuzz/corpus/<target>/, or <subsystem>/fuzz/corpus/ beside the target's source.
  src=$(find . -path './build*' -prune -o -name "$name.cpp" -print | head -n 1)
  corpus=""
  if [ -n "$src" ]; then
    for dir in "$(dirname "$src")/corpus/$name" "$(dirname "$src")/corpus"; do
      [ -d "$dir" ] && { corpus=$dir; break; }
    done
  fi
  work=$(mktemp -d)
  [ -n "$corpus" ] && cp -r "$corpus"/. "$work"/
  if "$target" -max_total_time="${FUZZ_SECONDS:-10}" -print_final_stats=1 "$work" >"build-fuzz/$name.log" 2>&1; then
    echo "$name: $(grep -m1 'stat::number_of_executed_units' "build-fuzz/$name.log" | awk '{print $2}') runs, no finding"
  else
    echo "$name: FAILED (see build-fuzz/$name.log)"; tail -n 30 "build-fuzz/$name.log"; failed=1
  fi
  rm -rf "$work"
done

echo "== Windows build and tests under Wine"
# SOAK=1: the long runs of the fault-injection suite at full count (about a minute more).
[ "${SOAK:-0}" = 1 ] && export VELMORA_SOAK=1
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$jobs"
tools/with-display.sh ctest --test-dir build-win --output-on-failure || failed=1

exit $failed
