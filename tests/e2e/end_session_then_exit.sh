#!/usr/bin/env bash
# A log-off notice while the clock test's box is open, then OK and the tray's exit: the program
# still ends (the tray icon must not be removed from a static destructor after the windows went).
. "$(dirname "$0")/lib.sh"
e2e_begin

oskara_start
wait_until 20 main_window_shown || fail "the main window never appeared"
click_client 300 259  # the clock test's zone, on the skin's bottom tab
wait_until 10 window_exists Oskara || fail "the clock test's message box did not open"
"$WINE64" "$findwindow" "$title" --message 0x16 1 >/dev/null 2>&1  # WM_ENDSESSION, ending
sleep 1
"$WINE64" "$findwindow" Oskara --command 1 >/dev/null 2>&1  # OK
wait_until 10 eval '! window_exists Oskara' || fail "the message box did not close"
note "log-off notice handled with the box open"

tray_menu_click 10  # "E&xit Oskara"
wait_until 20 process_ended "$OSKARA_PID" || fail "the program did not end after the tray's exit"
note "the program ended"
OSKARA_PID=
