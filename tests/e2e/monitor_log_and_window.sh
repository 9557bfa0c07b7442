#!/usr/bin/env bash
# A log named in the registry gets a header and one row of the card's readings per poll; a
# double-click on the temperature gauge opens the monitor window at its stored place, kept at exit.
. "$(dirname "$0")/lib.sh"
e2e_begin

cat >"$work/card.txt" <<'CARD'
temp 61
thermal 0 0
level 1 0:300000 4:100000 7:600000
level 2 0:450000 4:500000 7:900000
level 3 0:650000:640000 4:900000:850000 7:1500000:1480000
cooler 0 45 2
CARD
export OSKARA_SIM_CARD="$work/card.txt"
log="$work/run.csv"
# The real memory clock: the effective figure would be the program's own arithmetic.
app_values ShowEffectiveMemClock=0 MonitorSpan=1 MonitorLeft=100 MonitorTop=80 MonitorWidth=500 MonitorHeight=400 \
  MonitorLogFile="$(winepath_of "$log")"

oskara_shown
rows_at_least() { [ -f "$log" ] && [ "$(wc -l <"$log")" -ge $(($1 + 1)) ]; }
wait_until 15 rows_at_least 3 || fail "three polls left $(wc -l <"$log" 2>/dev/null) lines in the log"

mapfile -t lines < <(tr -d '\r' <"$log")
[ "${lines[0]}" = "time,temperature_c,core_mhz,memory_mhz,shader_mhz,fan_percent,fan_mode" ] ||
  fail "the log begins '${lines[0]}'"
today=$(date +%Y-%m-%d)
previous=
for row in "${lines[@]:1:3}"; do
  [[ $row =~ ^($today)T[0-9]{2}:[0-9]{2}:[0-9]{2},61,640,850,1480,45,auto$ ]] ||
    fail "a row is '$row', not the card's 61 C, 640/850/1480 MHz and automatic 45 %"
  [[ $row > $previous ]] || fail "row '$row' is not later than '$previous'"
  previous=$row
done
grep -c '^time,' "$log" | grep -qx 1 || fail "the header was written more than once"
note "log: ${lines[1]} (and two more rows)"

win=$(main_window)
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + 550)) $((Y + 170)) click --repeat 2 --delay 60 1  # the gauge
wait_until 10 dialog_shown "Oskara Monitor" || fail "a double-click on the gauge opened no monitor window"
sleep 6  # a few one-second samples
monitor=$(xdotool search --onlyvisible --name '^Oskara Monitor$' | head -1)
shot monitor-window-desktop
import -window "$monitor" "$shots/monitor-window.png"
before=$(wc -l <"$log")
wait_until 8 rows_at_least "$before" || fail "the log stopped while the monitor window was open"

tray_exit
# Opened at the place stored before, neither the default nor the smallest size, and kept there.
expect_values "$app_key" MonitorLeft=100 MonitorTop=80 MonitorWidth=500 MonitorHeight=400
note "monitor window shown and kept at its stored place"
