# Sourced by ./bench.sh: starting, timing and stopping the programs under one Wine prefix and one
# X display, and reading their costs from /proc and the simulated driver's journal.
now_us() { date +%s%6N; }

# CPU time of every thread of a process so far, in nanoseconds (the scheduler's own count, finer
# than the 10 ms ticks of utime and stime). Printed as %.0f: mawk's %d stops at 2^31, 2.1 s.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f\n", s }'; }
# The same for the process's first thread alone: under Wine, the program's GUI thread.
main_thread_ns() { awk '{ print $1 }' /proc/"$1"/task/"$1"/schedstat 2>/dev/null || echo 0; }
rss_kb() { awk '$1 == "VmRSS:" { print $2 }' /proc/"$1"/status; }

# The wineserver of this run's prefix: the one process of that name started with our WINEPREFIX.
wineserver_pid() {
  local p
  for p in $(pgrep -f '^/usr/lib/wine/wineserver'); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return; }
  done
}

window_visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
window_known() { "$WINE64" "$findwindow" "$1" >/dev/null 2>&1; }

# launch <exe> <title> <visible|hidden> [args]: starts the program and waits for its window;
# sets PID and START_MS (launch to the window seen, polled as fast as xdotool answers).
launch() {
  local exe=$1 title=$2 how=$3 t0 limit
  shift 3
  t0=$(now_us)
  "$WINE64" "$exe" "$@" >>"$work/programs.log" 2>&1 &
  PID=$!
  limit=$((SECONDS + 60))
  # A short pause between looks: polling flat out would take a core from the program measured.
  if [ "$how" = visible ]; then
    until window_visible "$title"; do
      [ "$SECONDS" -lt "$limit" ] || die "$(basename "$exe") showed no window '$title': $(tail -5 "$work/programs.log")"
      sleep 0.01
    done
  else
    until window_known "$title"; do
      [ "$SECONDS" -lt "$limit" ] || die "$(basename "$exe") made no window '$title': $(tail -5 "$work/programs.log")"
      sleep 0.1
    done
  fi
  START_MS=$((($(now_us) - t0) / 1000))
}

# finish <title> <command id | close>: asks the program to end as a user would, then waits.
finish() {
  if [ "$2" = close ]; then
    "$WINE64" "$findwindow" "$1" --message 0x10 0 >/dev/null 2>&1
  else
    "$WINE64" "$findwindow" "$1" --command "$2" >/dev/null 2>&1
  fi
  local limit=$((SECONDS + 15))
  while kill -0 "$PID" 2>/dev/null; do
    [ "$SECONDS" -lt "$limit" ] || { kill "$PID"; break; }
    sleep 0.1
  done
  wait "$PID" 2>/dev/null
  PID=
}

# idle_cpu <seconds> [ask]: CPU of $PID and of the wineserver over that many seconds of nothing to
# do; sets IDLE_PCT (the program, percent of one core) and SERVER_PCT (the wineserver's share);
# the command ask, if given, is run at both ends of the window into IDLE_ASKED_FROM and _TO.
idle_cpu() {
  local seconds=$1 server p0 s0 p1 s1 t0 t1
  server=$(wineserver_pid)
  sleep 2  # the start's own work settles
  t0=$(now_us); p0=$(cpu_ns "$PID"); s0=$(cpu_ns "${server:-0}"); g0=$(main_thread_ns "$PID")
  IDLE_FROM=$t0
  [ -z "${2:-}" ] || IDLE_ASKED_FROM=$("$2") || die "$2 gave no answer"
  sleep "$seconds"
  [ -z "${2:-}" ] || IDLE_ASKED_TO=$("$2") || die "$2 gave no answer"
  t1=$(now_us); p1=$(cpu_ns "$PID"); s1=$(cpu_ns "${server:-0}"); g1=$(main_thread_ns "$PID")
  IDLE_TO=$t1
  IDLE_GUI_NS=$((g1 - g0)) IDLE_ALL_NS=$((p1 - p0)) IDLE_NS=$((t1 - t0))000
  IDLE_PCT=$(awk -v c=$((p1 - p0)) -v t=$((t1 - t0)) 'BEGIN { printf "%.3f", c / (t * 1000) * 100 }')
  SERVER_PCT=$(awk -v c=$((s1 - s0)) -v t=$((t1 - t0)) 'BEGIN { printf "%.3f", c / (t * 1000) * 100 }')
}

# pct <nanoseconds> <nanoseconds of wall time>: percent of one core.
pct() { awk -v c="$1" -v t="$2" 'BEGIN { printf "%.3f", c / t * 100 }'; }

# The journal's calls between two times, grouped into bursts (a gap of more than a second ends
# one): prints the median number of calls per burst and the functions of the first burst.
calls_per_tick() {
  jq -r --argjson from "$1" --argjson to "$2" 'select(.t_us >= $from and .t_us <= $to) | "\(.t_us) \(.fn)"' "$journal" |
    awk 'NR == 1 || $1 - last > 1000000 { n++ } { count[n]++; if (n == 1) fns[$2]++; last = $1 }
         END { for (i = 1; i <= n; i++) print count[i] > "/dev/stderr"; for (f in fns) { printf "%s%s", sep, f; sep = " " } print "" }' \
      2>"$work/bursts" >"$work/burst-fns"
  TICK_CALLS=$(median <"$work/bursts")
  TICK_COUNT=$(wc -l <"$work/bursts")
  TICK_FNS=$(cat "$work/burst-fns")
}

# The last clock or fan write to the card at or after a time, in microseconds; empty if none.
last_write_after() {
  jq -r --argjson from "$1" 'select(.t_us >= $from and (.fn == "ApplyCoolerLevels" or (.fn == "ApplyLevelClocks" and .test == false))) | .t_us' "$journal" |
    sort -n | tail -1
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) exit 1; print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "-"; else printf "%.3f", a / b }'; }
