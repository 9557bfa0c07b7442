#!/usr/bin/env bash
# The hidden start's restore with each driver function failing in turn: the program runs on (or,
# when the driver cannot even be bound, says so and ends after OK), and once the driver is whole
# The starts are ended by a kill: the crash guard, which would skip the next restore, is off.
# again the window opened from the tray shows what the card really runs.
. "$(dirname "$0")/lib.sh"
e2e_begin

app_values LastCard=10DE-06C0 ShowEffectiveMemClock=0 LastCore=760 LastMem=1050 LastShader=1520 LastFan=80 \
  RestoreOC=1 CrashGuard=0
export OSKARA_SIM_FAULTS="$work/faults.txt"

functions=$(grep -oE '"(NvAPI_[A-Za-z_]+|Query[A-Za-z]+|Apply[A-Za-z]+)"\}' "$root/gpu/DriverInterface.h" | tr -d '"}')
[ "$(wc -l <<<"$functions")" = 14 ] || fail "expected the 14 functions the program calls, found: $functions"

box_shown() { xdotool search --onlyvisible --name '^Oskara$' >/dev/null 2>&1; }
# The first poll tick is handled by the message loop, so after the whole start-up and restore.
polled() { journal_has '"fn":"NvAPI_GPU_GetThermalSettings"'; }
started() { box_shown || polled; }

# Only the binding needs these; failing, any other function leaves the program running.
binds() { [[ $1 =~ ^(NvAPI_Initialize|NvAPI_EnumPhysicalGPUs)$ ]]; }
# Without the card key, the level to write or the write itself the restore cannot reach the card;
# any other function failing must leave the restored clocks and fan on it.
restores_clocks() { [[ ! $1 =~ ^(NvAPI_GPU_GetPCIIdentifiers|QueryLevelClocks|ApplyLevelClocks)$ ]]; }
restores_fan() { [[ ! $1 =~ ^(NvAPI_GPU_GetPCIIdentifiers|QueryCoolerSettings|ApplyCoolerLevels)$ ]]; }

# What GPU 0 runs by the journal: per domain the last clock write the driver took, else the
# default card's 700, 1000 and 1400 MHz; the last fan write, else automatic.
card_clock() {
  local field=$1 default=$2 write
  write=$(journal_lines "\"fn\":\"ApplyLevelClocks\",\"gpu\":0,\"status\":0,.*\"test\":false.*\"$field\"" | tail -1)
  [ -n "$write" ] || { echo "$default MHz"; return; }
  echo "$(($(sed -E "s/.*\"$field\":([0-9]+).*/\\1/" <<<"$write") / 1000)) MHz"
}
card_clocks() { echo "$(card_clock core_khz 700), $(card_clock memory_khz 1000), $(card_clock shader_khz 1400)"; }
card_fan() {
  local write
  write=$(journal_lines '"fn":"ApplyCoolerLevels","gpu":0,"status":0,' | tail -1)
  if [ -z "$write" ] || [[ $write != *'"policy":1'* ]]; then echo Auto; return; fi
  echo "$(sed -E 's/.*"level":([0-9]+).*/\1/' <<<"$write") %"
}
# The window's clock labels, as card_clocks puts them.
shown_clocks() {
  echo "$(control_text "$(res_id IDC_CORE_VALUE)"), $(control_text "$(res_id IDC_MEMORY_VALUE)"), $(control_text "$(res_id IDC_SHADER_VALUE)")"
}

fan_label=$(res_id IDC_FAN_VALUE)
for fn in $functions; do
  rm -f "$journal"
  echo "fail $fn -1" >"$OSKARA_SIM_FAULTS"
  oskara_start -s
  wait_until 20 started || fail "$fn failing: the program neither started nor said why"

  if box_shown; then
    binds "$fn" || fail "$fn failing: the program said the driver cannot be bound"
    # Without this function the driver cannot be bound: the program's message, then its end.
    box=$(xdotool search --onlyvisible --name '^Oskara$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + 25)) click 1
    xdotool key Return
    oskara_ended 15 "$fn failing: the program did not end after OK"
    note "$fn failing: the driver cannot be bound; the program said so and ended"
    continue
  fi

  process_ended "$OSKARA_PID" && fail "$fn failing: the program ended"
  binds "$fn" && fail "$fn failing: the program ran on without a driver"
  rm -f "$OSKARA_SIM_FAULTS"

  # Open from the tray brings the window up as the user would, which refreshes it from the card.
  tray_menu_click 76  # "&Open", the first item
  wait_until 5 main_window_shown || fail "$fn failing: Open from the tray did not bring the window up"
  clocks=$(card_clocks)
  fan=$(card_fan)
  ! restores_clocks "$fn" || [ "$clocks" = "760 MHz, 1050 MHz, 1520 MHz" ] || fail "$fn failing: the restore left the card at $clocks"
  ! restores_fan "$fn" || [ "$fan" = "80 %" ] || fail "$fn failing: the restore left the fan at $fan"
  wait_until 5 eval '[ "$(shown_clocks)" = "$clocks" ]' ||
    fail "$fn failing: the window shows $(shown_clocks), the card runs $clocks"
  [ "$(control_text "$fan_label")" = "$fan" ] ||
    fail "$fn failing: the window shows fan '$(control_text "$fan_label")', the card runs $fan"
  note "$fn failing: ran on; the window shows $clocks and fan $fan as the card runs"

  oskara_kill
  wait_until 10 eval '! window_exists "$title"' || fail "$fn failing: a window outlived its program"
done
