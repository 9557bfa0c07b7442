#!/usr/bin/env bash
# Builds, then measures Oskara on the simulated card against the bare floor dialog (same prefix,
# same display, alternating runs): start, memory, idle CPU (also with the controller emulator
# connected, the demo build), driver calls per poll, Apply, controller key to screen, the skin
# region, the executables' sizes, the fan curve driving, the temperature guard and a clock scan. Prints one table and writes it to out/bench.json.
#   ./bench.sh [--quick]     --quick: 10 s idle windows instead of 60 s
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
idle_seconds=60
[ "${1:-}" = --quick ] && idle_seconds=10
runs=5

die() { echo "bench: $*" >&2; exit 1; }
tools/setup.sh libbenchmark-dev jq || exit 1
OSKARA_BUILDS=win64 tools/build.sh || exit 1
[ -f build/bench/build.ninja ] ||
  cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSKARA_SANITIZE=OFF \
    -DOSKARA_TESTS=OFF -DOSKARA_BENCH=ON >/dev/null || die "cannot configure build/bench"
cmake --build build/bench --target oskara_bench -- -j2 >build/bench/last-build.log 2>&1 ||
  { tail -30 build/bench/last-build.log >&2; die "build/bench failed"; }

. tools/wine-env.sh
. tools/bench/measure.sh
. tools/bench/profiles.sh
build=$root/build/win64
oskara=$build/bin/Oskara.exe
demo=$build/bin/OskaraDemo.exe
floor=$build/bench/BenchFloor.exe
findwindow=$build/tests/findwindow.exe
title="BRENMAR Oskara"
floor_title="Oskara Floor"
exit_command=$(awk '$2 == "ID_TRAY_EXIT" { print $3 }' res/resource.h)
emulator_cost_message=$(printf '%d' $((0x8000 + 0x71)))  # the emulator window's cost message, WM_APP + 0x71
for f in "$oskara" "$demo" "$floor" "$findwindow" "$build/sim/nvapi64.dll"; do [ -f "$f" ] || die "missing $f"; done

PID= XVFB_PID=
work=$(mktemp -d "${TMPDIR:-/tmp}/oskara-bench.XXXXXX")
cleanup() {
  [ -z "$PID" ] || kill "$PID" 2>/dev/null
  prefix_end
  [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export OSKARA_SIM_JOURNAL=$work/journal.jsonl OSKARA_SIM_TAVIO_LOG=$work/tavio-reports.log
journal=$OSKARA_SIM_JOURNAL
prefix_new "$work/prefix"
export WINEPREFIX=$work/prefix
prefix_install_driver "$WINEPREFIX" "$build/sim/nvapi64.dll"
xvfb_start || die "no X display"
prefix_warm

rows=$work/rows
: >"$rows"
# row <key> <measure> <Oskara> <floor or -> <ratio or -> <target> <checked value or -> <limit>
row() {
  local met=-
  [ "$7" = - ] || met=$(awk -v v="$7" -v l="$8" 'BEGIN { print (v <= l) ? "yes" : "NO" }')
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" "$5" "$6" "$met" >>"$rows"
}

echo "bench: start and memory, $runs runs each, alternating with the floor"
# One start of each first, not counted: the prefix's first window starts Wine's desktop process.
launch "$floor" "$floor_title" visible; finish "$floor_title" close
launch "$oskara" "$title" visible; finish "$title" "$exit_command"
launch "$demo" "$title" visible; finish "$title" "$exit_command"
for i in $(seq "$runs"); do
  launch "$floor" "$floor_title" visible
  echo "$START_MS" >>"$work/floor-start"
  sleep 1
  rss_kb "$PID" >>"$work/floor-rss"
  finish "$floor_title" close
  launch "$oskara" "$title" visible
  echo "$START_MS" >>"$work/oskara-start"
  sleep 1
  rss_kb "$PID" >>"$work/oskara-rss"
  finish "$title" "$exit_command"
  launch "$demo" "$title" visible
  echo "$START_MS" >>"$work/demo-start"
  sleep 1
  rss_kb "$PID" >>"$work/demo-rss"
  finish "$title" "$exit_command"
done
start=$(median <"$work/oskara-start"); start_floor=$(median <"$work/floor-start")
rss=$(median <"$work/oskara-rss"); rss_floor=$(median <"$work/floor-rss")
start_ratio=$(ratio "$start" "$start_floor"); rss_ratio=$(ratio "$rss" "$rss_floor")
row start_ms "start to visible window (ms)" "$start" "$start_floor" "$start_ratio" "<= 1.15x" "$start_ratio" 1.15
row rss_kb "resident memory once shown (KB)" "$rss" "$rss_floor" "$rss_ratio" "<= 1.15x" "$rss_ratio" 1.15
demo_start=$(median <"$work/demo-start"); demo_rss=$(median <"$work/demo-rss")
demo_start_ratio=$(ratio "$demo_start" "$start_floor"); demo_rss_ratio=$(ratio "$demo_rss" "$rss_floor")
row demo_start_ms "demo build, controller connected: start (ms)" "$demo_start" "$start_floor" "$demo_start_ratio" "<= 1.15x" "$demo_start_ratio" 1.15
row demo_rss_kb "demo build, controller connected: memory (KB)" "$demo_rss" "$rss_floor" "$demo_rss_ratio" "<= 1.15x" "$demo_rss_ratio" 1.15

echo "bench: idle CPU over ${idle_seconds} s: floor, shown, controller connected, hidden"
launch "$floor" "$floor_title" visible
idle_cpu "$idle_seconds"; floor_idle=$IDLE_PCT; floor_server=$SERVER_PCT
finish "$floor_title" close

launch "$oskara" "$title" visible
idle_cpu "$idle_seconds"
row idle_shown_pct "idle CPU, window shown (% of a core)" "$IDLE_PCT" "$floor_idle" - "<= 0.05 %" "$IDLE_PCT" 0.05
row server_shown_pct "wineserver meanwhile (% of a core)" "$SERVER_PCT" "$floor_server" - - - -
calls_per_tick "$IDLE_FROM" "$IDLE_TO"
row calls_per_poll "driver calls per poll tick ($TICK_COUNT ticks: $TICK_FNS)" "$TICK_CALLS" - - - - -

echo "bench: Apply, $runs clicks"
click_at() {
  local win X Y WIDTH HEIGHT SCREEN WINDOW
  win=$(xdotool search --onlyvisible --name "^$title\$" | head -1)
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove $((X + $1)) $((Y + $2))
}
click_at 360 104; xdotool click 1  # the core slider's channel: one page up
sleep 0.5
for i in $(seq "$runs"); do
  click_at 376 238  # Apply
  sleep 0.3
  t0=$(now_us)
  xdotool click 1
  sleep 1
  last=$(last_write_after "$t0")
  [ -n "$last" ] || die "Apply wrote nothing to the card"
  awk -v a="$last" -v b="$t0" 'BEGIN { printf "%.1f\n", (a - b) / 1000 }' >>"$work/apply"
done
row apply_ms "Apply: click to the last driver write (ms)" "$(median <"$work/apply")" - - - - -
finish "$title" "$exit_command"
# Off the windows: a pointer resting on a button is no idle (Wine looks for its leaving every
# 400 ms, about 0.1 % of a core), and the next windows open where this one was.
xdotool mousemove 1023 767

launch "$demo" "$title" visible
reports_before=$(wc -l <"$OSKARA_SIM_TAVIO_LOG")
# The emulator counts its own work on the GUI thread (decoding, logging, drawing); asked at both
# ends of the window, it is taken off the GUI thread's count.
emulator_cost() {
  local answer
  answer=$("$WINE64" "$findwindow" Tavio --send "$emulator_cost_message" 0 2>/dev/null | tr -d '\r')
  [[ $answer =~ ^[0-9]+$ ]] && echo "$answer"
}
idle_cpu "$idle_seconds" emulator_cost
reports_after=$(wc -l <"$OSKARA_SIM_TAVIO_LOG")
emulator_ns=$(((IDLE_ASKED_TO - IDLE_ASKED_FROM) * 1000))
demo_program_pct=$(pct $((IDLE_ALL_NS - emulator_ns)) "$IDLE_NS")
row idle_demo_pct "idle CPU, controller connected: the program's own (% of a core)" "$demo_program_pct" "$floor_idle" - "<= 0.05 %" "$demo_program_pct" 0.05
row idle_demo_gui_pct "of it the GUI thread (% of a core)" "$(pct $((IDLE_GUI_NS - emulator_ns)) "$IDLE_NS")" - - - - -
row idle_demo_threads_pct "of it the other threads: readers, Wine's own (% of a core)" "$(pct $((IDLE_ALL_NS - IDLE_GUI_NS)) "$IDLE_NS")" - - - - -
row idle_demo_emulator_pct "the emulator's window and decoding meanwhile (% of a core)" "$(pct "$emulator_ns" "$IDLE_NS")" - - - - -
row idle_demo_all_pct "the demo process in all (% of a core)" "$IDLE_PCT" "$floor_idle" - - - -
# The emulator logs one line per output report; the poll runs every 3 s.
row reports_per_poll "controller output reports per poll while idle" \
  "$(awk -v n=$((reports_after - reports_before)) -v t="$idle_seconds" 'BEGIN { printf "%.1f", n / (t / 3) }')" - - - - -
row server_demo_pct "wineserver meanwhile (% of a core)" "$SERVER_PCT" "$floor_server" - - - -
finish "$title" "$exit_command"

launch "$oskara" "$title" hidden -s
# The template's window is shown at its creation and hidden right after; ask Windows, not X, which
# unmaps it late.
"$WINE64" "$findwindow" "$title" | grep -q visible && die "the start with -s left the window shown"
idle_cpu "$idle_seconds"
row idle_hidden_pct "idle CPU, hidden in the tray (% of a core)" "$IDLE_PCT" - - "<= 0.05 %" "$IDLE_PCT" 0.05
row server_hidden_pct "wineserver meanwhile (% of a core)" "$SERVER_PCT" - - - - -
finish "$title" "$exit_command"

# Last of the program runs: the rounds replace what the earlier runs stored.
echo "bench: the profile store at 63 profiles, $runs rounds"
store_rounds "$runs"
row create_ms "profile Create at 63 stored profiles, in the dialog's handler (ms)" \
  "$(median <"$work/create-us" | awk '{ printf "%.1f", $1 / 1000 }')" - - "<= 50 ms" "$(median <"$work/create-us" | awk '{ print $1 / 1000 }')" 50
row exit_store_ms "exit step: profiles stored and controller closed (ms)" \
  "$(median <"$work/exit-us" | awk '{ printf "%.1f", $1 / 1000 }')" - - "<= 100 ms" "$(median <"$work/exit-us" | awk '{ print $1 / 1000 }')" 100

echo "bench: controller keys and skin region (Google Benchmark, medians of $runs repetitions)"
build/bench/tools/bench/oskara_bench --benchmark_repetitions="$runs" --benchmark_format=json \
  >"$work/native.json" 2>/dev/null || die "the native benchmarks failed"
native_median() {
  jq -r --arg name "$1" '.benchmarks[] | select(.run_name == $name and .aggregate_name == "median") | .real_time' \
    "$work/native.json" | awk '{ printf "%.1f\n", $1 }'
}
for key in ClockStep:"a clock step" ScreenChange:"a screen change" ProfilePreview:"a profile preview"; do
  us=$(native_median "${key%%:*}/manual_time")
  [ -n "$us" ] || die "no figure for ${key%%:*}"
  row "key_${key%%:*}_us" "controller key report to screen, ${key#*:} (us, native)" "$us" - - "<= 2000 us" "$us" 2000
done
region_us=$(native_median SkinRegionRuns)
row region_us "skin region runs from the bitmap (us, native)" "$region_us" - - - - -

size_kb() { echo $((($(stat -c %s "$1") + 1023) / 1024)); }
row exe_kb "Oskara.exe x64 (KB)" "$(size_kb "$oskara")" "$(size_kb "$floor")" - - - -
row demo_exe_kb "OskaraDemo.exe x64 (KB)" "$(size_kb "$demo")" "$(size_kb "$floor")" - - - -

# The fan curve driving, hidden: a "-s" restore of an automatic fan with the curve on, on a card
# held at 70 °C. Its 1 s ticks and the 3 s poll are told apart by their bursts (a gap of more
# than 0.3 s ends one); the median burst is a curve tick's.
echo "bench: idle CPU with the fan curve driving, hidden, over ${idle_seconds} s"
app_key='HKCU\Software\Brenmar\Oskara'
printf 'temp 70\nthermal 0 0\n' >"$work/curve-card.txt"
"$WINE64" reg add "$app_key" /v LastCard /t REG_SZ /d 10DE-06C0 /f >/dev/null 2>&1
for value in FanCurveOn:1 RestoreOC:1 LastFan:110; do
  "$WINE64" reg add "$app_key" /v "${value%%:*}" /t REG_DWORD /d "${value#*:}" /f >/dev/null 2>&1
done
OSKARA_SIM_CARD=$work/curve-card.txt launch "$oskara" "$title" hidden -s
"$WINE64" "$findwindow" "$title" | grep -q visible && die "the start with -s left the window shown"
idle_cpu "$idle_seconds"
curve_bursts=$(jq -r --argjson from "$IDLE_FROM" --argjson to "$IDLE_TO" \
  'select(.t_us >= $from and .t_us <= $to) | .t_us' "$journal" |
  awk 'NR == 1 || $1 - last > 300000 { if (NR > 1) print n; n = 0 } { n++; last = $1 } END { if (NR) print n }')
curve_writes=$(jq -r --argjson from "$IDLE_FROM" --argjson to "$IDLE_TO" \
  'select(.t_us >= $from and .t_us <= $to and .fn == "ApplyCoolerLevels") | .fn' "$journal" | wc -l)
row idle_curve_pct "idle CPU, fan curve driving, hidden (% of a core)" "$IDLE_PCT" - - "<= 0.1 %" "$IDLE_PCT" 0.1
row curve_calls_per_tick "driver calls per curve tick ($(wc -l <<<"$curve_bursts") bursts, $curve_writes cooler writes)" \
  "$(median <<<"$curve_bursts")" - - - - -
finish "$title" "$exit_command"

# The temperature guard on, hidden, the curve off: its poll makes the same driver calls as without.
echo "bench: idle CPU with the temperature guard on, hidden, over ${idle_seconds} s"
for value in FanCurveOn:0 TempGuardC:90; do
  "$WINE64" reg add "$app_key" /v "${value%%:*}" /t REG_DWORD /d "${value#*:}" /f >/dev/null 2>&1
done
launch "$oskara" "$title" hidden -s
idle_cpu "$idle_seconds"
row idle_temp_guard_pct "idle CPU, temperature guard on, hidden (% of a core)" "$IDLE_PCT" - - "<= 0.05 %" "$IDLE_PCT" 0.05
calls_per_tick "$IDLE_FROM" "$IDLE_TO"
row temp_guard_calls_per_poll "driver calls per poll tick, temperature guard on ($TICK_COUNT ticks: $TICK_FNS)" "$TICK_CALLS" - - - - -
finish "$title" "$exit_command"

# The clock scan on a card with limits of its own and no delay in its test: from its first test
# request to its last, and how many it sent.
echo "bench: a clock scan of the simulated card"
printf 'clocktest limits 760 1080 1520\nclocktest together 745 1060 1490\n' >"$work/scan-card.txt"
OSKARA_SIM_CARD=$work/scan-card.txt launch "$oskara" "$title" visible
"$WINE64" reg delete "$app_key" /v LastScan /f >/dev/null 2>&1
: >"$journal"
"$WINE64" "$findwindow" "$title" --command "$(awk '$2 == "ID_TRAY_SCAN" { print $3 }' res/resource.h)" >/dev/null 2>&1
for _ in $(seq 50); do "$WINE64" "$findwindow" "Oskara Clock Scan" >/dev/null 2>&1 && break; sleep 0.2; done
"$WINE64" "$findwindow" "Oskara Clock Scan" --command "$(awk '$2 == "IDC_SCAN_START" { print $3 }' res/resource.h)" \
  >/dev/null 2>&1 || die "no scan window"
for _ in $(seq 100); do "$WINE64" reg query "$app_key" /v LastScan >/dev/null 2>&1 && break; sleep 0.2; done
"$WINE64" reg query "$app_key" /v LastScan >/dev/null 2>&1 || die "the scan did not finish within 20 s"
scan_tests=$(jq -r 'select(.fn == "ApplyLevelClocks" and .test == true) | .t_us' "$journal")
scan_count=$(wc -l <<<"$scan_tests")
scan_s=$(awk 'NR == 1 { first = $1 } { last = $1 } END { printf "%.2f", (last - first) / 1e6 }' <<<"$scan_tests")
row scan_s "clock scan of the simulated card, first test to last (s)" "$scan_s" - - "<= 5 s" "$scan_s" 5
row scan_tests "clock scan: test requests sent" "$scan_count" - - "<= 120" "$scan_count" 120
# Profiles that follow programs, 20 rules, hidden: the window-event hook and the process snapshot at
# the start are all it adds while no window is made anywhere.
echo "bench: idle CPU following programs (20 rules), hidden, over ${idle_seconds} s"
"$WINE64" reg add "$app_key" /v TempGuardC /t REG_DWORD /d 0 /f >/dev/null 2>&1
"$WINE64" reg add "$app_key" /v FollowPrograms /t REG_DWORD /d 1 /f >/dev/null 2>&1
for n in $(seq 1 20); do
  "$WINE64" reg add "$app_key\\Programs" /v "game$n.exe" /t REG_SZ /d "Profile $n" /f >/dev/null 2>&1
done
launch "$oskara" "$title" hidden -s
idle_cpu "$idle_seconds"
row idle_follow_pct "idle CPU, following programs with 20 rules, hidden (% of a core)" "$IDLE_PCT" - - "<= 0.05 %" "$IDLE_PCT" 0.05
finish "$title" "$exit_command"

mkdir -p out
jq -R -s --argjson idle "$idle_seconds" --argjson runs "$runs" --arg date "$(date -u +%FT%TZ)" '
  def num(v): if v == "-" then null else (v | tonumber? // v) end;
  { date: $date, runs: $runs, idle_seconds: $idle,
    rows: [split("\n")[] | select(length > 0) | split("\t") |
           { key: .[0], measure: .[1], oskara: num(.[2]), floor: num(.[3]), ratio: num(.[4]),
             target: .[5], met: (if .[6] == "-" then null else .[6] == "yes" end) }] }' \
  "$rows" >out/bench.json
{
  echo "| measure | Oskara | floor | ratio | target | met |"
  echo "|---|---|---|---|---|---|"
  awk -F'\t' '{ printf "| %s | %s | %s | %s | %s | %s |\n", $2, $3, $4, $5, $6, $7 }' "$rows"
} | tee out/bench.md
echo "bench: written out/bench.json (idle windows ${idle_seconds} s, other figures medians of $runs)"
