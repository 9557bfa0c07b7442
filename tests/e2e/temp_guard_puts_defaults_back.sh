#!/usr/bin/env bash
# The temperature guard on a card that heats a degree per percent of overclock: 840 MHz (20 % above
# 700) passes the limit of 75, the defaults come back within two polls, "LastCore" keeps 840, and
# the guard acts again only after a cool minute.
. "$(dirname "$0")/lib.sh"
e2e_begin
printf 'temp 60\nthermal 1 0\n' >"$work/card.txt"
export OSKARA_SIM_CARD="$work/card.txt"
app_values TempGuardC=75

core_writes_since_mark() { tail -n +$((mark + 1)) "$journal" | grep -cE "\"fn\":\"ApplyLevelClocks\".*\"test\":false.*\"core_khz\":$1,"; }
hot_apply() {
  mark=$(wc -l <"$journal")
  expect_cli 0 apply --core 840
  [ "$(core_writes_since_mark 840000)" -ge 1 ] || fail "the apply wrote no 840 MHz"
}
defaults_back() { [ "$(core_writes_since_mark 700000)" -ge 1 ]; }

oskara_running
hot_apply
# Two polls of 3 s, and a second for the first to start.
wait_until 8 defaults_back || fail "no default clocks within two polls: $(journal_lines ApplyLevelClocks | tail -2)"
[ "$(reg_number "$app_key" LastCore)" = 840 ] || fail "the guard stored LastCore $(reg_number "$app_key" LastCore)"
expect_cli 0 status --json
jq -e '.temp_guard_acted | test("^[0-9]{2}:[0-9]{2}$")' <<<"$cli_out" >/dev/null || fail "status does not say when the guard acted: $cli_out"
note "the defaults went back within two polls and LastCore kept 840"
hot_apply
sleep 9
! defaults_back || fail "the guard acted twice in one excursion"
expect_cli 0 apply --core 700
# The minute counts from the first cool poll, up to one period after this apply.
sleep 66
hot_apply
wait_until 8 defaults_back || fail "the guard did not act again after a cool minute"
note "it acted once per excursion, and again after a minute below the limit less 10"
