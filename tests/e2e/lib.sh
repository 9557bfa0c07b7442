# Shared steps of the end-to-end scripts: a private Wine prefix and X display per script, the real
# programs started as a user would, and checks that fail the script with a message.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/tools/wine-env.sh"

build=$1
bin="$build/bin"
findwindow="$build/tests/findwindow.exe"
shots="$build/e2e-shots"
title="BRENMAR Oskara"
OSKARA_PID=
XVFB_PID=

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

e2e_cleanup() {
  [ -z "$OSKARA_PID" ] || kill "$OSKARA_PID" 2>/dev/null
  prefix_end
  [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null
  rm -rf "$work"
}

# e2e_begin [--no-driver]: a fresh prefix with the simulated driver installed, Xvfb, warm Wine.
e2e_begin() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/oskara-e2e.XXXXXX")
  trap e2e_cleanup EXIT
  prefix_new "$work/prefix"
  export WINEPREFIX="$work/prefix"
  if [ "${1:-}" != --no-driver ] && [ -f "$build/sim/nvapi64.dll" ]; then
    prefix_install_driver "$WINEPREFIX" "$build/sim/nvapi64.dll"
  fi
  mkdir -p "$shots"
  xvfb_start || fail "no X display"
  prefix_warm
}

# oskara_start [args]: starts Oskara.exe in the background.
oskara_start() {
  "$WINE64" "$bin/Oskara.exe" "$@" >"$work/oskara.log" 2>&1 &
  OSKARA_PID=$!
}

# wait_until <seconds> <command...>: polls the command every 0.2 s.
wait_until() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  while ! "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}

windows_titled() { "$WINE64" "$findwindow" "$1" 2>/dev/null | tr -d '\r'; }
window_exists() { "$WINE64" "$findwindow" "$1" >/dev/null 2>&1; }
process_ended() { ! kill -0 "$1" 2>/dev/null; }

shot() { import -window root "$shots/$1.png"; }

# Opens the tray icon's menu with a right click and clicks the item the given pixels above the
# menu's bottom edge.
tray_menu_click() {
  local above_bottom=$1 tray menu x y w h
  tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
  [ -n "$tray" ] || fail "no system tray window"
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  local before
  before=$(xdotool search --onlyvisible --name '^$' | sort)
  xdotool mousemove $((X + 10)) $((Y + 10)) click 3
  wait_until 5 menu_appeared "$before" || fail "the tray menu did not open"
  menu=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --name '^$' | sort) | head -1)
  eval "$(xdotool getwindowgeometry --shell "$menu")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - above_bottom)) click 1
}
menu_appeared() { [ -n "$(comm -13 <(echo "$1") <(xdotool search --onlyvisible --name '^$' | sort))" ]; }
