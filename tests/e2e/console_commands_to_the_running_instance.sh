#!/usr/bin/env bash
# With an instance running, Oskara.com hands every command to it: the instance's window applies,
# resets and switches, and its answer (status as JSON, the exported file) comes back.
. "$(dirname "$0")/lib.sh"
e2e_begin
cat >"$work/in.txt" <<'TXT'
[profile]
name = Quiet
core = 650
memory = 900
shader = 1300
fan = 40
TXT

oskara_running
expect_cli 0 apply --core 680 --fan 70
expect_clock_write "apply through the instance" '"core_khz":680000,' '"memory_khz":1000000,' '"shader_khz":1400000}'
[ "$(control_text "$(res_id IDC_CORE_VALUE)")" = "680 MHz" ] || fail "the window's core label says $(control_text "$(res_id IDC_CORE_VALUE)")"
[ "$(reg_number "$app_key" LastCore)" = 680 ] && [ "$(reg_number "$app_key" LastFan)" = 70 ] || fail "apply was not stored"
# The instance's card keeps what it was given, so the status reads it back.
expect_cli 0 status --json
jq -e '.gpus[0].core_mhz == 680 and .gpus[0].memory_mhz == 2000 and .gpus[0].fan_percent == 70 and
  .gpus[0].fan_mode == "fixed" and .profile == null' <<<"$cli_out" >/dev/null || fail "status --json says: $cli_out"
note "apply went through the window, and status read it back"

expect_cli 0 import "$(winepath_of "$work/in.txt")"
expect_cli 0 profile quiet
expect_clock_write "the profile" '"core_khz":650000,' '"memory_khz":900000,' '"shader_khz":1300000}'
expect_cli 0 status --json
[ "$(jq -r .profile <<<"$cli_out")" = Quiet ] || fail "the running profile is not Quiet: $cli_out"
expect_cli 0 export "$(winepath_of "$work/out.txt")"
grep -qx 'name = "Quiet"' "$work/out.txt" || fail "the instance's export lacks Quiet: $(cat "$work/out.txt")"
[ "$(reg_value "$app_key\\10DE-06C0\\Profile 0" Name)" = Quiet ] || fail "the imported profile is not stored"
note "import, profile and export went through the instance"

before=$(journal_lines '"fn":"ApplyLevelClocks"' | wc -l)
expect_cli 2 apply --memory 5000
expect_cli 2 apply --fan curve
expect_cli 2 profile Loud
[ "$(journal_lines '"fn":"ApplyLevelClocks"' | wc -l)" = "$before" ] || fail "a refused command wrote clocks"
expect_cli 0 reset
expect_clock_write "reset" '"core_khz":700000,' '"memory_khz":1000000,' '"shader_khz":1400000}'
process_ended "$OSKARA_PID" && fail "the commands ended the instance"
note "refusals changed nothing, reset reached the card, the instance runs on"
