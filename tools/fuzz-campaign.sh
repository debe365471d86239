#!/usr/bin/env bash
# The long fuzzing campaign: builds every libFuzzer target (clang, ASan+UBSan) and runs each
# for a while, growing a corpus kept outside the repository so later campaigns go on from it.
#
#   tools/fuzz-campaign.sh [-t SECONDS_PER_TARGET] [-c CORPUS_ROOT] [-b BUILD_DIR] [-j JOBS] [TARGET...]
#
# Defaults: 600 s per target, corpus in ~/.cache/velmora-fuzz/<target>/, build in build-fuzz,
# one process per target (-j N > 1: libFuzzer's fork mode with N workers, which also goes on
# after a finding). The committed seeds (<subsystem>/fuzz/corpus/<target>/) are read too
# but never written. Findings (crash-*, leak-*, timeout-*, oom-*) land in CORPUS_ROOT/findings/<target>/.
# Prints one line per target: executions, corpus size, coverage, findings. Exit 1 on any finding.
set -eu
cd "$(dirname "$0")/.."

seconds=600
root="${XDG_CACHE_HOME:-$HOME/.cache}/velmora-fuzz"
build=build-fuzz
jobs=1
while getopts "t:c:b:j:h" opt; do
  case $opt in
    t) seconds=$OPTARG ;;
    c) root=$OPTARG ;;
    b) build=$OPTARG ;;
    j) jobs=$OPTARG ;;
    *) sed -n '2,10p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target all >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find "$build" -maxdepth 3 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort)
fi

# The committed seeds of a target: <subsystem>/fuzz/corpus/<target>/, else <subsystem>/fuzz/corpus/.
seeds_of() {
  local src dir
  src=$(find . -path './build*' -prune -o -name "$1.cpp" -print | head -n 1)
  [ -n "$src" ] || return 0
  for dir in "$(dirname "$src")/corpus/$1" "$(dirname "$src")/corpus"; do
    [ -d "$dir" ] && { echo "$dir"; return 0; }
  done
}

status=0
printf '%-24s %12s %8s %8s %s\n' target executions corpus cov findings
for name in "${targets[@]}"; do
  bin=$(find "$build" -maxdepth 3 -type f -name "$name" -perm -u+x | head -n 1)
  [ -n "$bin" ] || { echo "$name: no such target in $build"; status=1; continue; }
  corpus="$root/$name"
  findings="$root/findings/$name"
  log="$root/logs/$name.log"
  mkdir -p "$corpus" "$findings" "$root/logs"
  seeds=$(seeds_of "$name")
  before=$(find "$findings" -type f | wc -l)
  fork=()
  [ "$jobs" -gt 1 ] && fork=(-fork="$jobs" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
  set +e
  "$bin" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" "${fork[@]}" "$corpus" ${seeds:+"$seeds"} >"$log" 2>&1
  set -e
  after=$(find "$findings" -type f | wc -l)
  runs=$(grep -a 'stat::number_of_executed_units' "$log" | awk '{s += $2} END {print s + 0}')
  if [ "$runs" = 0 ]; then
    # Fork mode reports its progress lines instead of final stats.
    runs=$(grep -ao 'exec/s: [0-9]*\|#[0-9]*' "$log" | grep -o '^#[0-9]*' | tr -d '#' | sort -n | tail -n 1)
  fi
  cov=$(grep -ao 'cov: [0-9]*' "$log" | tail -n 1 | awk '{print $2}')
  size=$(find "$corpus" -type f | wc -l)
  new=$((after - before))
  printf '%-24s %12s %8s %8s %s\n' "$name" "${runs:-?}" "$size" "${cov:-?}" \
    "$([ "$new" -eq 0 ] && echo none || echo "$new new in $findings")"
  [ "$new" -eq 0 ] || status=1
done
exit $status
