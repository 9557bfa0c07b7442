#!/usr/bin/env bash
# Installs what is missing, builds, and starts the demo build of Oskara under Wine on the simulated
# card, with the Tavio controller emulator's window below the main window.
# Without a display it runs on a private Xvfb, saves a screenshot under out/ and then ends.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
tools/setup.sh
OSKARA_BUILDS=win64 tools/build.sh
. tools/wine-env.sh

# The program's own prefix: settings and profiles persist from one run to the next.
export WINEPREFIX="$root/.cache/wine-run"
[ -d "$WINEPREFIX" ] || prefix_new "$WINEPREFIX"
prefix_map_fonts "$WINEPREFIX"
[ ! -f build/win64/sim/nvapi64.dll ] || prefix_install_driver "$WINEPREFIX" build/win64/sim/nvapi64.dll
program=build/win64/bin/OskaraDemo.exe
# Every call the program makes to the (simulated) card, one JSON line each.
mkdir -p out
export OSKARA_SIM_JOURNAL="$root/out/driver-journal.jsonl"
# Every report sent to the controller, one hex line each; tavio-decode prints the screen they make.
export OSKARA_SIM_TAVIO_LOG="$root/out/tavio-reports.log"
: >"$OSKARA_SIM_TAVIO_LOG"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prefix_window_manager "$WINEPREFIX" "$(display_window_manager)"
  exec "$WINE64" "$program" "$@"
fi

XVFB_PID=
trap '"$WINESERVER" -k >/dev/null 2>&1 || true; [ -z "$XVFB_PID" ] || kill "$XVFB_PID"' EXIT
xvfb_start
prefix_warm
"$WINE64" "$program" "$@" &
pid=$!
for _ in $(seq 100); do xdotool search --name '^Tavio$' >/dev/null 2>&1 && break; sleep 0.2; done
sleep 2
import -window root out/oskara.png
echo "run: no display here; the screen is in out/oskara.png"
# The tray menu's exit command ends the program as a user would.
"$WINE64" build/win64/tests/findwindow.exe "BRENMAR Oskara" --command 0xE141 >/dev/null 2>&1 || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
