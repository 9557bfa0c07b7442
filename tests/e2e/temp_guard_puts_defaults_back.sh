#!/usr/bin/env bash
# The temperature guard on a card that heats one degree per percent of overclock: a raised core
# that passes the limit gets the defaults back within two polls, "LastCore" keeps it, and the
# guard acts again only after the card stayed cool for a minute.
. "$(dirname "$0")/lib.sh"
e2e_begin

printf 'temp 60\nthermal 1 0\n' >"$work/card.txt"
export OSKARA_SIM_CARD="$work/card.txt"
app_values TempGuardC=75

# clock_writes_since <line> <core kHz>: the clock writes after that journal line with that core.
clock_writes_since() { tail -n +$(($1 + 1)) "$journal" | grep -cE "\"fn\":\"ApplyLevelClocks\".*\"test\":false.*\"core_khz\":$2,"; }
# hot_apply: 840 MHz, 20 % above the default 700: 80 °C against the limit of 75.
hot_apply() {
  mark=$(wc -l <"$journal")
  expect_cli 0 apply --core 840
  [ "$(clock_writes_since "$mark" 840000)" -ge 1 ] || fail "the apply wrote no 840 MHz"
}
defaults_back() { [ "$(clock_writes_since "$mark" 700000)" -ge 1 ]; }

oskara_start
wait_until 20 window_exists "$title" || fail "the instance never made its window"
hot_apply
# Two polls of 3 s after the apply, with a second of slack for the start of the first.
wait_until 8 defaults_back || fail "no default clocks within two polls: $(journal_lines ApplyLevelClocks | tail -3)"
[ "$(reg_number "$app_key" LastCore)" = 840 ] || fail "the guard stored LastCore $(reg_number "$app_key" LastCore)"
wait_until 5 eval '[ "$(control_text "$(res_id IDC_CORE_VALUE)")" = "700 MHz" ]' ||
  fail "the window shows $(control_text "$(res_id IDC_CORE_VALUE)") after the guard acted"
note "the defaults went back within two polls and LastCore kept 840"

hot_apply
sleep 9
! defaults_back || fail "the guard acted twice in one excursion"
note "a second hot apply in the same excursion stays"

expect_cli 0 apply --core 700
# The minute counts from the first cool poll, up to one period after this apply.
sleep 66
hot_apply
wait_until 8 defaults_back || fail "the guard did not act again after a cool minute"
note "after a minute below the limit less 10 the guard acted again"
