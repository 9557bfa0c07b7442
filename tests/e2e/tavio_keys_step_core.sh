#!/usr/bin/env bash
# The controller in the demo build: real clicks on the emulator's keys walk its menu and step the
# core clock; the card gets the new clock and the controller's screen shows it.
. "$(dirname "$0")/lib.sh"
e2e_begin

demo_start
wait_until 20 main_window_shown || fail "the main window never appeared"
wait_until 10 eval 'xdotool search --onlyvisible --name "^Tavio\$" >/dev/null' || fail "no Tavio window"
wait_until 10 eval 'tavio_screen | grep -qx "core 700"' || fail "the controller does not show the core clock: $(tavio_screen)"
shot tavio-started
# The emulator's window lies below the main window, never over it.
main=$(main_window)
eval "$(xdotool getwindowgeometry --shell "$main" | sed 's/^/MAIN_/')"
tavio=$(xdotool search --onlyvisible --name '^Tavio$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$tavio" | sed 's/^/TAVIO_/')"
[ "$TAVIO_Y" -ge $((MAIN_Y + MAIN_HEIGHT)) ] || fail "the Tavio window (y $TAVIO_Y) covers the main window (to y $((MAIN_Y + MAIN_HEIGHT)))"
note "core 700 on the controller; its window is below the main window"

tavio_click left   # "Set": the core clock screen
wait_until 5 eval 'tavio_screen | grep -qx "lamps .* 4 .*"' || fail "Set did not mark the core clock: $(tavio_screen)"
journal_has '"fn":"ApplyLevelClocks"' && fail "clocks were written before a step"
tavio_click right  # "+": 5 MHz up, the default step
wait_until 10 journal_has '"fn":"ApplyLevelClocks".*"test":false' || fail "the step wrote no clocks: $(tavio_screen)"
expect_clock_write "the step" '"core_khz":705000,'
wait_until 5 eval 'tavio_screen | grep -qx "core 705"' || fail "the controller does not show 705: $(tavio_screen)"
[ "$(control_text 1003)" = "705 MHz" ] || fail "the main window shows core '$(control_text 1003)'"
shot tavio-stepped
tavio_screen | grep -qx "errors 0" || fail "the program sent malformed reports: $(tavio_screen)"
note "journal: $line"

command_exit
tavio_screen | grep -qx "mode exited" || fail "the controller was not left in its exit mode: $(tavio_screen)"
note "exit left the controller in its exit mode"
