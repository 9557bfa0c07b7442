#!/usr/bin/env bash
# Installs what is missing, builds every target, runs every test layer (host, fuzz corpora, win, e2e).
# Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
tools/setup.sh || exit 1
tools/build.sh || exit 1
. tools/wine-env.sh
XVFB_PID=
trap '[ -z "$XVFB_PID" ] || kill "$XVFB_PID"' EXIT
xvfb_start || exit 1

passed=0 failed=0
run_ctest() {
  local dir=$1; shift
  local log="$root/build/$dir/last-test.log"
  (cd "build/$dir" && ctest --output-on-failure -j2 "$@") 2>&1 | tee "$log"
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  local f t
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + t - f)); failed=$((failed + f))
}
run_ctest host
run_ctest fuzz
run_ctest win64 --timeout 180
echo
echo "total: $passed passed, $failed failed"
[ "$failed" = 0 ]
