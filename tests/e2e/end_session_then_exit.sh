#!/usr/bin/env bash
# A log-off notice while the clock test's box is open stores the card key and the profiles (a
# cancelled one stores nothing); then OK and the tray's exit: the program still ends (the tray
# icon must not be removed from a static destructor after the windows went).
. "$(dirname "$0")/lib.sh"
e2e_begin

# A fan of 300 is stored back as its low byte, so the profile's store is seen in the registry.
profile="$app_key\\10DE-06C0\\Profile 0"
app_values "10DE-06C0\\Profile 0" Name=Loud Core=650 Mem=950 Shader=1300 Fan=300
stored() { [ "$(reg_value "$app_key" LastCard)" = 10DE-06C0 ] && [ "$(reg_number "$profile" Fan)" = 44 ]; }

oskara_shown
click_client 300 259  # the clock test's zone, on the skin's bottom tab
wait_until 10 window_exists Oskara || fail "the clock test's message box did not open"
# WM_ENDSESSION: first a log-off that was cancelled, then one that goes ahead.
"$WINE64" "$findwindow" "$title" --message 0x16 0 >/dev/null 2>&1 || fail "no window to send the notice to"
sleep 1
[ "$(reg_number "$profile" Fan)" = 300 ] && ! reg_value "$app_key" LastCard >/dev/null ||
  fail "a cancelled log-off stored the card and profiles"
"$WINE64" "$findwindow" "$title" --message 0x16 1 >/dev/null 2>&1 || fail "no window to send the notice to"
wait_until 5 stored || fail "the log-off stored card '$(reg_value "$app_key" LastCard)', profile fan '$(reg_number "$profile" Fan)'"
"$WINE64" "$findwindow" Oskara --command 1 >/dev/null 2>&1  # OK
wait_until 10 eval '! window_exists Oskara' || fail "the message box did not close"
note "log-off notice handled with the box open"

tray_menu_click 10  # "E&xit Oskara"
wait_until 20 process_ended "$OSKARA_PID" || fail "the program did not end after the tray's exit"
note "the program ended"
OSKARA_PID=
