#!/usr/bin/env bash
# Without the driver library in the system folder the program says it needs the card, ends after
# OK, and leaves the registry untouched.
. "$(dirname "$0")/lib.sh"
e2e_begin --no-driver
[ -e "$WINEPREFIX/drive_c/windows/system32/nvapi64.dll" ] && fail "the prefix has a driver library"

oskara_start
box_shown() { xdotool search --onlyvisible --name '^Oskara$' >/dev/null 2>&1; }
wait_until 20 box_shown || fail "no message box titled Oskara appeared"
shot missing-driver
texts=$("$WINE64" "$findwindow" Oskara --text all 2>/dev/null | tr -d '\r')
grep -qx 'Brenmar Oskara requires an NVIDIA VGA adapter.' <<<"$texts" || fail "the message box says: $texts"
grep -qx 'OK' <<<"$texts" || fail "the message box has no OK button: $texts"
process_ended "$OSKARA_PID" && fail "the program ended before OK was pressed"
note "the message box is up"

box=$(xdotool search --onlyvisible --name '^Oskara$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$box")"
# A click on the message text gives the box the keyboard; Return presses its default button, OK.
xdotool mousemove $((X + WIDTH / 2)) $((Y + 25)) click 1
xdotool key Return
oskara_ended 15 "the program did not end after OK"
window_absent "$title" || fail "a window titled '$title' is left"
note "OK ended the program"

software=$(reg_subkeys 'HKCU\Software') || fail "could not read HKCU\\Software"
grep -qix Brenmar <<<"$software" && fail "the registry was written: $("$WINE64" reg query 'HKCU\Software\Brenmar' /s | tr -d '\r')"
note "nothing was written under HKCU\\Software\\Brenmar"
