#!/usr/bin/env bash
# The clock scan from the tray on a card with clock limits: the machine goes down at a step, the
# next start asks to go on, Yes finishes the scan with no passed step tested again, and the card
# runs the clocks it ran before.
. "$(dirname "$0")/lib.sh"
e2e_begin
scan_title="Oskara Clock Scan"
card="$work/card.txt"
printf 'clocktest limits 760 1080 1520\nclocktest crash 780\n' >"$card"
export OSKARA_SIM_CARD=$card

oskara_start
wait_until 20 main_window_shown || fail "the main window did not open"
tray_menu_click 38  # "&Scan clocks...", below Monitor
wait_until 10 dialog_shown "$scan_title" || fail "the tray's Scan clocks... opened no scan window"
shot clock-scan-before
click_control "$scan_title" "$(res_id IDC_SCAN_START)"
wait_until 30 process_ended "$OSKARA_PID" || fail "the test at the crash clock did not end the program"
OSKARA_PID=
journal_has '"crashed":true' || fail "the program ended before the crash clock"
state=$(reg_value "$app_key" ScanState) || fail "no scan state was stored before the crash"
[ -n "$state" ] || fail "the scan state was empty at the crash"
[ "$(reg_number "$app_key" OverclockRunning)" = 1 ] || fail "the scan's tests left no crash mark"
mv "$journal" "$work/before-crash.jsonl"

note "the machine came back: the same card, without the crash"
printf 'clocktest limits 760 1080 1520\n' >"$card"
oskara_start
wait_until 20 dialog_shown Oskara || fail "the start after the crash asked nothing"
question=$("$WINE64" "$findwindow" Oskara --text all 2>/dev/null | tr -d '\r')
[[ $question == *"The clock scan stopped at core 780 MHz. Continue it?"* ]] || fail "the question was: $question"
click_control Oskara 6  # Yes
wait_until 30 journal_has '"fn":"ApplyLevelClocks".*"test":true' || fail "Yes did not go on with the scan"
wait_until 30 reg_value "$app_key" LastScan || fail "the scan did not finish"
import -window "$(xdotool search --onlyvisible --name "^$scan_title\$" | head -1)" "$shots/clock-scan-window.png"

# The found clocks, per domain its highest pass less 2 steps (core 760, memory 1080, shader 1520;
# the window shows memory as its slider does, twice the real clock on this card).
last=$(reg_value "$app_key" LastScan)
[[ $last == 750000*1060000*1510000* ]] || fail "the scan found $last"
result=$(control_text "$(res_id IDC_SCAN_RESULT)" "$scan_title")
[[ $result == *"core 750 MHz, shader 1510 MHz, memory 2120 MHz"*"passed the driver's test 5 times"* ]] ||
  fail "the window says: $result"
[ -z "$(reg_value "$app_key" ScanState)" ] || fail "the finished scan left its state"

# A passed candidate is one whose three tests passed before the crash; none is tested again.
passed_before=$(grep '"test":true' "$work/before-crash.jsonl" | grep '"passed":true' |
  sed -E 's/.*"core_khz":([0-9]+),"memory_khz":([0-9]+),"shader_khz":([0-9]+).*/\1 \2 \3/' | sort | uniq -c |
  awk '$1 >= 3 { print $2, $3, $4 }')
[ -n "$passed_before" ] || fail "no candidate passed before the crash"
tested_after=$(journal_lines '"test":true' |
  sed -E 's/.*"core_khz":([0-9]+),"memory_khz":([0-9]+),"shader_khz":([0-9]+).*/\1 \2 \3/' | sort -u)
repeated=$(comm -12 <(sort -u <<<"$passed_before") <(echo "$tested_after"))
[ -z "$repeated" ] || fail "passed steps were tested again after the crash: $repeated"
journal_lacks '"fn":"ApplyLevelClocks".*"test":false' || fail "the scan wrote clocks: $(journal_lines '"test":false')"
expect_cli 0 status --json
[[ $cli_out == *'"core_mhz":700,"memory_mhz":2000,"shader_mhz":1400'* ]] || fail "the card runs: $cli_out"
note "the scan went on after the crash, found the clocks and left the card as it was"
