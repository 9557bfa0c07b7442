#!/usr/bin/env bash
# "-p NAME" while an instance runs: the request goes to that instance, which applies and stores the
# profile; the second start ends with 0 when it was applied and 2 when no profile has that name.
. "$(dirname "$0")/lib.sh"
e2e_begin

app_values "10DE-06C0\\Profile 0" Name=Quiet-s Core=650 Mem=900 Shader=1300 Fan=40

oskara_running
first=$OSKARA_PID

"$WINE64" "$bin/Oskara.exe" -p "quiet-S" >/dev/null 2>&1
code=$?
[ "$code" = 0 ] || fail "handing over an existing profile ended with $code, not 0"
expect_clock_write "the handed-over profile" '"core_khz":650000,' '"memory_khz":900000,' '"shader_khz":1300000}'
fan=$(journal_lines '"fn":"ApplyCoolerLevels"' | tail -1)
[[ $fan == *'"level":40,'* ]] || fail "the profile's fan of 40 % did not reach the card: $fan"
[ "$(reg_number "$app_key" LastCore)" = 650 ] || fail "the profile was not stored as Apply stores"
process_ended "$first" && fail "the hand-over ended the running instance"
main_window_shown || fail "the running instance's window went away"
note "applied and stored by the running instance: $line"

"$WINE64" "$bin/Oskara.exe" -p "No such" >/dev/null 2>&1
code=$?
[ "$code" = 2 ] || fail "an unknown profile name ended with $code, not 2"
[ "$(journal_lines '"fn":"ApplyLevelClocks".*"test":false' | tail -1)" = "$line" ] || fail "an unknown name wrote clocks"
note "an unknown name ended with 2 and changed nothing"
