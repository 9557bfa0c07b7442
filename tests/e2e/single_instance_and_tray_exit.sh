#!/usr/bin/env bash
# One instance lives in the tray; a second start ends at once; the tray menu's exit ends the first.
. "$(dirname "$0")/lib.sh"
e2e_begin

oskara_running
first=$OSKARA_PID
note "first instance: $(windows_titled "$title" | head -1)"

"$WINE64" "$bin/Oskara.exe" >/dev/null 2>&1 &
second=$!
wait_until 15 process_ended "$second" || fail "the second instance did not end"
process_ended "$first" && fail "the first instance ended too"
window_exists "$title" || fail "the first instance's window is gone"
note "second instance ended, first still running"

tray_exit
window_exists "$title" && fail "a window titled '$title' is left"
note "exit from the tray menu ended the program"
