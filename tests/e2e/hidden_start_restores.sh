#!/usr/bin/env bash
# The start a Startup shortcut makes ("-s" with RestoreOC 1): the last applied clocks and fan go
# back to the card while the window stays hidden; a later start brings that window up and ends.
# The starts are ended by a kill: the crash guard, which would skip the next restore, is off.
# A value never stored, or Ctrl held at the start, leaves the card as it is.
. "$(dirname "$0")/lib.sh"
e2e_begin

app_values LastCard=10DE-06C0 LastCore=760 LastMem=1050 LastShader=1520 LastFan=80 RestoreOC=1 CrashGuard=0
expect_values "$app_key" LastCore=760

oskara_start -s
wait_until 20 journal_has '"fn":"ApplyCoolerLevels"' || fail "no fan setting was restored"
expect_clock_write "the restore" '"level":3' '"core_khz":760000,' '"memory_khz":1050000,' '"shader_khz":1520000}'
fan=$(journal_lines '"fn":"ApplyCoolerLevels"' | tail -1)
[[ $fan == *'"level":80,'* && $fan == *'"policy":1'* ]] || fail "the fan was not restored to a fixed 80 %: $fan"
note "restored: $line"

# The window was shown at its creation; give a late map time to show up before looking.
sleep 1
shot hidden-start
main_window_hidden || fail "a start with -s left the window on the screen"
none_shown "$title" || fail "a start with -s left a window shown: $(windows_titled "$title" | tr '\n' ' ')"
wait_until 5 eval '[ "$(control_text 1003)" = "760 MHz" ]' || fail "the hidden window shows core '$(control_text 1003)', not the restored 760 MHz"
[ "$(control_text 1004)" = "2100 MHz" ] || fail "the hidden window shows memory '$(control_text 1004)', not 2100 MHz"
[ "$(control_text 1008)" = "80 %" ] || fail "the hidden window shows fan '$(control_text 1008)', not 80 %"
note "window hidden, its sliders at the restored values"

first=$OSKARA_PID
"$WINE64" "$bin/Oskara.exe" >/dev/null 2>&1 &
second=$!
wait_until 15 process_ended "$second" || { kill "$second" 2>/dev/null; fail "the second start did not end"; }
process_ended "$first" && fail "the second start ended the first instance"
wait_until 5 main_window_shown || fail "the second start did not bring the first instance's window up"
windows_titled "$title" | grep -q 'visible #32770' || fail "the window brought up is not the main dialog: $(windows_titled "$title" | tr '\n' ' ')"
shot hidden-start-second
eval "$(xdotool getwindowgeometry --shell "$(main_window)")"
[ "$WIDTH" = 762 ] && [ "$HEIGHT" = 327 ] || fail "the window brought up is ${WIDTH}x$HEIGHT, not the main window's 762x327"
note "the second start ended and the first instance's window is shown"

# What was never stored, or a start with Ctrl held, leaves the card alone: no fan write without a
# stored fan (not a fixed 0 %), no write at all with Ctrl.
oskara_kill
"$WINE64" reg delete "$app_key" /v LastFan /f >/dev/null 2>&1 || fail "could not delete LastFan"
for ctrl in up down; do
  rm -f "$journal"
  [ $ctrl = up ] || "$WINE64" "$findwindow" --key down 0x11 || fail "could not press Ctrl"
  oskara_start -s
  wait_until 20 journal_has '"fn":"NvAPI_GPU_GetThermalSettings"' || fail "the start with Ctrl $ctrl never polled"
  if [ $ctrl = up ]; then
    expect_clock_write "the restore without a stored fan" '"core_khz":760000,'
    journal_lacks '"fn":"ApplyCoolerLevels"' || fail "no fan was stored, yet it was set: $(journal_lines ApplyCoolerLevels)"
  else
    "$WINE64" "$findwindow" --key up 0x11
    journal_lacks '"fn":"Apply' || fail "a start with Ctrl held wrote to the card: $(journal_lines '"fn":"Apply')"
  fi
  oskara_kill
done
note "without a stored fan only the clocks went back; with Ctrl held nothing"
