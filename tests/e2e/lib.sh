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
app_key='HKCU\Software\Brenmar\Oskara'
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
# The driver journals every call into $journal.
e2e_begin() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/oskara-e2e.XXXXXX")
  trap e2e_cleanup EXIT
  export OSKARA_SIM_JOURNAL="$work/journal.jsonl"
  journal=$OSKARA_SIM_JOURNAL
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

# demo_start [args]: starts the demo build, whose controller emulator logs every report into
# $tavio_log.
demo_start() {
  export OSKARA_SIM_TAVIO_LOG="$work/tavio.log"
  tavio_log=$OSKARA_SIM_TAVIO_LOG
  "$WINE64" "$bin/OskaraDemo.exe" "$@" >"$work/oskara.log" 2>&1 &
  OSKARA_PID=$!
}

# tavio_screen: the controller's screen as the emulator's decoder reads the logged reports.
tavio_screen() { "$WINE64" "$bin/tavio-decode.exe" "$(winepath_of "$tavio_log")" 2>/dev/null | tr -d '\r'; }

# tavio_click <left|middle|right>: a mouse click on a key of the emulator's window (the key rects
# of sim/tavio/EmulatorWindow.cpp: centres 56, 196 and 331 across, 185 down).
tavio_click() {
  local x origin
  case $1 in left) x=56 ;; middle) x=196 ;; right) x=331 ;; *) fail "no key $1" ;; esac
  origin=$("$WINE64" "$findwindow" Tavio --client-origin 2>/dev/null | tr -d '\r')
  [ -n "$origin" ] || fail "no Tavio window"
  xdotool mousemove $((${origin% *} + x)) $((${origin#* } + 185)) click 1
}

# oskara_cli <args>: runs the console companion; its stdout in $cli_out, stderr in $cli_err, exit
# code in $cli_code.
oskara_cli() {
  cli_out=$("$WINE64" "$bin/Oskara.com" "$@" 2>"$work/cli.err" | tr -d '\r'; exit "${PIPESTATUS[0]}")
  cli_code=$?
  cli_err=$(tr -d '\r' <"$work/cli.err")
}
# expect_cli <code> <args>: the companion ends with that code.
expect_cli() {
  local want=$1; shift
  oskara_cli "$@"
  [ "$cli_code" = "$want" ] || fail "oskara $* ended with $cli_code, not $want: $cli_err"
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
# An absence is only believed from a probe that answered: one that failed fails the script.
window_absent() {
  local count
  count=$("$WINE64" "$findwindow" "$1" --count 2>/dev/null | tr -d '\r')
  [[ $count =~ ^[0-9]+$ ]] || fail "could not count the windows titled '$1'"
  [ "$count" = 0 ]
}
# none_shown <title>: windows of this title exist and all are hidden.
none_shown() {
  local list
  list=$(windows_titled "$1")
  [ -n "$list" ] || fail "found no window titled '$1', shown or hidden"
  ! grep -q visible <<<"$list"
}
process_ended() { ! kill -0 "$1" 2>/dev/null; }
# oskara_shown / oskara_running [args]: starts Oskara.exe and waits for its main window, shown / made.
oskara_shown() { oskara_start "$@"; wait_until 20 main_window_shown || fail "the main window never appeared"; }
oskara_running() { oskara_start "$@"; wait_until 20 window_exists "$title" || fail "the instance never made its window"; }
# oskara_ended <seconds> <message>: the started program ends in time, or the script fails.
oskara_ended() { wait_until "$1" process_ended "$OSKARA_PID" || fail "$2"; OSKARA_PID=; }
# Ending it as a test does: the tray menu's last item "E&xit Oskara", the window's exit command, a kill.
tray_exit() { tray_menu_click 10; oskara_ended "${1:-15}" "exit from the tray menu did not end the program"; }
command_exit() { "$WINE64" "$findwindow" "$title" --command 0xE141 >/dev/null 2>&1; oskara_ended 15 "the exit command did not end the program"; }
oskara_kill() { kill "$@" "$OSKARA_PID"; oskara_ended 10 "the program did not end when killed"; }

shot() { import -window root "$shots/$1.png"; }

# The X id of the visible main window, empty when it is hidden (xdotool sees mapped windows only).
main_window() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1; }
main_window_shown() { [ -n "$(main_window)" ]; }
main_window_hidden() { [ -z "$(main_window)" ]; }

# click_client <x> <y>: a left click at a client point of the visible main window, which has no
# frame, so its client area starts at the window's origin.
click_client() {
  local win X Y WIDTH HEIGHT SCREEN WINDOW
  win=$(main_window)
  [ -n "$win" ] || fail "no visible main window to click"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1
}

# control_text <id> [<window title>]: the text of a control of the main dialog (or of the window
# titled so), shown or hidden.
control_text() { "$WINE64" "$findwindow" "${2:-$title}" --text "$1" 2>/dev/null | tr -d '\r'; }

# res_id <name>: a resource id as res/resource.h defines it, so scripts never repeat a number.
res_id() { awk -v name="$1" '$1 == "#define" && $2 == name { print $3; found = 1 } END { exit !found }' "$root/res/resource.h"; }

# click_control <window title> <control id>: a left click in the middle of a control of a window
# of this title, as the user would aim at it.
click_control() {
  local rect left top right bottom
  # The value, not the pipe's status (tr's), says whether the control exists.
  rect=$("$WINE64" "$findwindow" "$1" --rect "$2" 2>/dev/null | tr -d '\r')
  read -r left top right bottom <<<"$rect"
  [[ $bottom =~ ^-?[0-9]+$ ]] || fail "no control $2 in a window '$1'"
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}
dialog_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# journal_has <regex>: some journal line of the simulated driver matches (grep -E).
journal_has() { [ -f "$journal" ] && grep -Eq -- "$1" "$journal"; }
# journal_lacks <regex>: the driver was called, and never so; an empty journal fails the script.
journal_lacks() {
  [ -s "$journal" ] || fail "the driver journal is empty, so it cannot tell that nothing matched $1"
  ! grep -Eq -- "$1" "$journal"
}
# journal_lines <regex>: the matching lines.
journal_lines() { [ -f "$journal" ] && grep -E -- "$1" "$journal"; }
# expect_clock_write <what> <field>...: the last clock write (not a test) holds every field;
# it is left in $line.
expect_clock_write() {
  local what=$1 want; shift
  line=$(journal_lines '"fn":"ApplyLevelClocks".*"test":false' | tail -1)
  [ -n "$line" ] || fail "$what wrote no clocks to the card"
  for want in "$@"; do
    [[ $line == *"$want"* ]] || fail "the clocks $what wrote lack $want: $line"
  done
}

# app_values [<name>=<data>...] [<subkey> <name>=<data>...]...: values written into the program's
# key, or a subkey of it named by a word without "=", with one reg import; all-digit data is a
# DWORD, any other a string.
app_values() {
  local arg name data
  {
    printf 'Windows Registry Editor Version 5.00\n\n[%s]\n' "${app_key/#HKCU/HKEY_CURRENT_USER}"
    for arg in "$@"; do
      if [[ $arg != *=* ]]; then printf '[%s\\%s]\n' "${app_key/#HKCU/HKEY_CURRENT_USER}" "$arg"; continue; fi
      name=${arg%%=*} data=${arg#*=}
      if [[ $data =~ ^[0-9]+$ ]]; then printf '"%s"=dword:%08x\n' "$name" "$data"; continue; fi
      data=${data//\\/\\\\}
      printf '"%s"="%s"\n' "$name" "${data//\"/\\\"}"
    done
  } >"$work/values.reg"
  reg_import "$work/values.reg"
}
# reg_import <file>: loads a .reg file into the prefix's registry, as a user or installer would.
reg_import() { "$WINE64" reg import "$(winepath_of "$1")" >/dev/null 2>&1 || fail "reg import of $1 failed"; }
winepath_of() { echo "Z:${1//\//\\}"; }

# reg_value <key> <name>: the value's data as "reg query" prints it (numbers in hexadecimal, 0x...);
# empty and status 1 when the value or key is absent.
reg_value() {
  local out
  out=$("$WINE64" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r')
  awk -v name="$2" '$1 == name { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+/, ""); print; found = 1 } END { exit !found }' <<<"$out"
}
# reg_number <key> <name>: a REG_DWORD value in decimal; fails when absent.
reg_number() { local v; v=$(reg_value "$1" "$2") || return 1; echo $((v)); }
# reg_subkeys <key>: the names of the key's subkeys, one a line; status 1 when the key cannot be read.
reg_subkeys() {
  local out
  out=$("$WINE64" reg query "$1" 2>/dev/null) || return 1
  tr -d '\r' <<<"$out" | awk 'NR > 1 && /^HKEY_/ { sub(/.*\\/, ""); print }'
}

# expect_values <key> <name>=<data>...: each value is there and holds the data, all-digit data as a
# DWORD's number.
expect_values() {
  local key=$1 pair name want got; shift
  for pair in "$@"; do
    name=${pair%%=*} want=${pair#*=}
    if [[ $want =~ ^[0-9]+$ ]]; then got=$(reg_number "$key" "$name"); else got=$(reg_value "$key" "$name"); fi ||
      fail "${key##*\\} has no $name"
    [ "$got" = "$want" ] || fail "${key##*\\}'s $name is '$got', not '$want'"
  done
}

# Opens the tray icon's menu with a right click and clicks the item the given pixels above the
# menu's bottom edge.
tray_menu_click() {
  local above_bottom=$1 tray menu x y w h
  tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
  [ -n "$tray" ] || fail "no system tray window"
  # A desktop's taskbar stays on top; without a window manager the main window may cover it.
  xdotool windowraise "$tray"
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
