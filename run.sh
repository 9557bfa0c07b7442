#!/usr/bin/env bash
# Installs what is missing, builds, and starts Oskara under Wine on the simulated card.
# Without a display it runs on a private Xvfb, saves screenshots under out/ and then ends.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
tools/setup.sh
OSKARA_BUILDS=win64 tools/build.sh
. tools/wine-env.sh

# The program's own prefix: settings and profiles persist from one run to the next.
export WINEPREFIX="$root/.cache/wine-run"
[ -d "$WINEPREFIX" ] || prefix_new "$WINEPREFIX"
[ ! -f build/win64/sim/nvapi64.dll ] || prefix_install_driver "$WINEPREFIX" build/win64/sim/nvapi64.dll
program=build/win64/bin/Oskara.exe
# Every call the program makes to the (simulated) card, one JSON line each.
mkdir -p out
export OSKARA_SIM_JOURNAL="$root/out/driver-journal.jsonl"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$WINE64" "$program" "$@"
fi

XVFB_PID=
trap '"$WINESERVER" -k >/dev/null 2>&1 || true; [ -z "$XVFB_PID" ] || kill "$XVFB_PID"' EXIT
xvfb_start
prefix_warm
"$WINE64" "$program" "$@" &
pid=$!
sleep 5
import -window root out/oskara.png
echo "run: no display here; the screen is in out/oskara.png"
# The tray menu's exit command ends the program as a user would.
"$WINE64" build/win64/tests/findwindow.exe "BRENMAR Oskara" --command 0xE141 >/dev/null 2>&1 || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
