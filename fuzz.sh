#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds (default 60 each), starting from its seed
# corpus in tests/fuzz/<target>/corpus. New inputs, the log and anything found go to
# out/fuzz/<target>/. Exits non-zero when a target found a crash, a leak or a hang.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
seconds=${1:-60}
tools/setup.sh || exit 1
OSKARA_BUILDS=fuzz tools/build.sh || exit 1

found=0
printf '%-22s %10s %8s %8s  %s\n' target runs edges corpus result
for exe in build/fuzz/fuzzers/*; do
  name=$(basename "$exe")
  work="out/fuzz/$name"
  rm -f "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*
  mkdir -p "$work/corpus"
  extra=()
  [ -f "tests/fuzz/$name/keys.dict" ] && extra+=("-dict=tests/fuzz/$name/keys.dict")
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/" "${extra[@]}" "$work/corpus" "tests/fuzz/$name/corpus" >"$work/log.txt" 2>&1
  rc=$?
  runs=$(grep -a 'stat::number_of_executed_units' "$work/log.txt" | awk '{print $2}')
  edges=$(grep -aoE 'cov: [0-9]+' "$work/log.txt" | tail -1 | awk '{print $2}')
  corpus=$(find "$work/corpus" "tests/fuzz/$name/corpus" -type f | wc -l)
  artifact=$(ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null | head -1)
  if [ "$rc" = 0 ] && [ -z "$artifact" ]; then
    result=clean
  else
    result="FOUND (exit $rc): ${artifact:-see $work/log.txt}"
    found=1
  fi
  printf '%-22s %10s %8s %8s  %s\n' "$name" "${runs:-?}" "${edges:-?}" "$corpus" "$result"
done
exit $found
