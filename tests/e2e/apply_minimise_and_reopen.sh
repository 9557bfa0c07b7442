#!/usr/bin/env bash
# A user's session in the window: a slider moved by the mouse and Apply clicked reach the card and
# the registry; minimise hides the window into the tray, the tray's Open brings it back, Exit ends.
. "$(dirname "$0")/lib.sh"
e2e_begin

oskara_shown
wait_until 5 eval '[ "$(control_text 1006)" = 55 ]' || fail "no temperature shown: '$(control_text 1006)'"
shot apply-started
before=$(control_text 1003)
[ "$before" = "700 MHz" ] || fail "the core label shows '$before', not the card's 700 MHz"
[ "$(control_text 1008)" = Auto ] || fail "the fan label shows '$(control_text 1008)', not Auto"

# The channel right of the core slider's thumb: one page up.
click_client 360 104
wait_until 5 eval '[ "$(control_text 1003)" != "$before" ]' || fail "clicking the core slider's channel moved nothing"
label=$(control_text 1003)
[[ $label =~ ^([0-9]+)\ MHz$ ]] || fail "the core label reads '$label'"
core=${BASH_REMATCH[1]}
[ "$core" -gt 700 ] || fail "a click right of the thumb lowered the core clock to $core"
shader=$((core * 2))
[ "$(control_text 1005)" = "$shader MHz" ] || fail "the shader label shows '$(control_text 1005)', not the coupled $shader MHz"
note "core slider moved to $core MHz, shader followed to $shader MHz"
journal_lacks '"fn":"ApplyLevelClocks"' || fail "clocks were written before Apply"

click_client 376 238  # Apply
wait_until 10 journal_has '"fn":"ApplyCoolerLevels"' || fail "Apply wrote no fan setting to the card"
shot apply-applied
expect_clock_write Apply '"level":3' "\"core_khz\":${core}000," '"memory_khz":1000000,' "\"shader_khz\":${shader}000}"
fan=$(journal_lines '"fn":"ApplyCoolerLevels"' | tail -1)
[[ $fan == *'"policy":2'* ]] || fail "the fan left at Auto was not set to automatic control: $fan"
note "journal: $line"

wait_until 5 reg_value "$app_key" LastFan || fail "Apply stored no LastFan"
expect_values "$app_key" LastCore=$core LastMem=1000 LastShader=$shader LastFan=110
[ "$(control_text 1003)" = "$core MHz" ] || fail "after Apply the core label reads '$(control_text 1003)'"
note "registry: LastCore $core, LastMem 1000, LastShader $shader, LastFan 110"

click_client 487 70  # minimise
wait_until 5 main_window_hidden || fail "minimise left the window on the screen"
none_shown "$title" || fail "minimise left a window shown: $(windows_titled "$title" | tr '\n' ' ')"
process_ended "$OSKARA_PID" && fail "minimise ended the program"
note "minimised into the tray"

tray_menu_click 76  # "&Open", the first item
wait_until 5 main_window_shown || fail "Open from the tray menu did not bring the window back"
shot apply-reopened
[ "$(control_text 1003)" = "$core MHz" ] || fail "the reopened window shows core '$(control_text 1003)'"
note "Open from the tray restored the window"

tray_exit
expect_values "$app_key" LastCard=10DE-06C0
note "exit ended the program and stored LastCard 10DE-06C0"
