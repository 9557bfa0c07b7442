#!/usr/bin/env bash
# A "-s" start restoring an automatic fan with the curve on, on a card held at 70 °C: the curve
# sets its level for 70 °C once, only reads while nothing changes, and the exit hands the fan
# back to the automatic control with one cooler write.
. "$(dirname "$0")/lib.sh"
e2e_begin

printf 'temp 70\nthermal 0 0\n' >"$work/card.txt"
export OSKARA_SIM_CARD="$work/card.txt"
app_values LastCard=10DE-06C0 LastFan=110 RestoreOC=1 FanCurveOn=1 FanCurve=40:30,60:50,75:80,85:100

oskara_start -s
wait_until 20 journal_has '"fn":"ApplyCoolerLevels".*"level":70,.*"policy":1' ||
  fail "the curve never set 70 % for 70 °C: $(journal_lines ApplyCoolerLevels | tr '\n' ' ')"
wait_until 5 eval '[ "$(control_text "$(res_id IDC_FAN_VALUE)")" = Curve ]' ||
  fail "the fan label shows '$(control_text "$(res_id IDC_FAN_VALUE)")', not Curve"
note "the curve drives the fan at 70 %"

reads=$(journal_lines '"fn":"NvAPI_GPU_GetThermalSettings"' | wc -l)
sleep 3.5
[ "$(journal_lines '"fn":"NvAPI_GPU_GetThermalSettings"' | wc -l)" -ge $((reads + 3)) ] ||
  fail "the curve did not read the temperature every second"
[ "$(journal_lines '"fn":"ApplyCoolerLevels".*"policy":1' | wc -l)" = 1 ] ||
  fail "the curve wrote the fan again without a change: $(journal_lines ApplyCoolerLevels | tr '\n' ' ')"
note "an unchanged temperature only reads"

before=$(wc -l <"$journal")
tray_exit 20
writes=$(tail -n +$((before + 1)) "$journal" | grep -E '"fn":"ApplyCoolerLevels"')
[ "$(grep -c . <<<"$writes")" = 1 ] && [[ $writes == *'"policy":2'* ]] ||
  fail "the exit did not give the fan back with one write: $writes"
note "the exit gave the fan back to the automatic control"
