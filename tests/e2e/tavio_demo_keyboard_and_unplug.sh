#!/usr/bin/env bash
# The demo build as a person uses it: started hidden with -s the Tavio window still shows; the
# keys 1, 2 and 3 drive the menu, a held key repeats; Unplug takes the controller away and Plug
# brings it back on the screen it was on.
. "$(dirname "$0")/lib.sh"
e2e_begin

tavio_window() { xdotool search --onlyvisible --name '^Tavio$' 2>/dev/null | head -1; }
reports() { wc -l <"$tavio_log"; }
core_on_controller() { tavio_screen | sed -n 's/^core \([0-9]*\)$/\1/p'; }

demo_start -s
wait_until 20 eval '[ -n "$(tavio_window)" ]' || fail "started with -s, the Tavio window did not show"
main_window_hidden || fail "started with -s, the main window showed"
wait_until 10 eval '[ "$(core_on_controller)" = 700 ]' || fail "the controller does not show 700: $(tavio_screen)"

# A click beside the keys gives the window the keyboard.
origin=$("$WINE64" "$findwindow" Tavio --client-origin | tr -d '\r')
xdotool mousemove $((${origin% *} + 200)) $((${origin#* } + 140)) click 1
xdotool key 1  # Left: "Set"
wait_until 5 eval 'tavio_screen | grep -qx "lamps .* 4 .*"' || fail "the key 1 did not select the core clock: $(tavio_screen)"
xdotool keydown 3
sleep 1.2
xdotool keyup 3
wait_until 5 eval '[ "$(core_on_controller)" -ge 715 ]' || fail "holding 3 stepped the core only to $(core_on_controller)"
held=$(core_on_controller)
sleep 0.6
[ "$(core_on_controller)" = "$held" ] || fail "the core went on stepping after the key was let go"
expect_clock_write "the held key" "\"core_khz\":${held}000,"
note "holding 3 for 1.2 s stepped the core to $held MHz"
shot tavio-keyboard

xdotool mousemove $((${origin% *} + 40)) $((${origin#* } + 224)) click 1  # Unplug
wait_until 5 eval '[ "$("$WINE64" "$findwindow" Tavio --text 100 | tr -d "\r")" = Plug ]' || fail "the toggle does not offer Plug"
before=$(reports)
xdotool key 1
sleep 0.6
[ "$(reports)" = "$before" ] || fail "the program wrote to an unplugged controller"
xdotool mousemove $((${origin% *} + 40)) $((${origin#* } + 224)) click 1  # Plug
wait_until 5 eval '[ "$(reports)" -gt "$before" ]' || fail "plugging the controller back in drew nothing"
wait_until 5 eval 'tavio_screen | grep -qx "lamps .* 4 .*"' || fail "the controller did not come back on the core clock screen: $(tavio_screen)"
[ "$(core_on_controller)" = "$held" ] || fail "after the return the controller shows core $(core_on_controller), not $held"
note "unplugged, nothing was written; plugged back, the core clock screen and $held MHz came back"
shot tavio-replugged
