#!/usr/bin/env bash
# The crash guard: a "-s" start that finds the last overclocked session unfinished (killed here)
# or a new driver restores nothing and gives the fan back; with the guard off it restores.
. "$(dirname "$0")/lib.sh"
e2e_begin

app_values LastCard=10DE-06C0 LastCore=760 LastMem=1000 LastShader=1400 LastFan=80 RestoreOC=1 \
  LastDriverVersion=18250 CrashGuard=0

# start <expect: restored|skipped>: a "-s" start, then a kill as a crash would end it.
start() {
  rm -f "$journal"
  oskara_start -s
  wait_until 20 journal_has '"fn":"NvAPI_GPU_GetThermalSettings"' || fail "$1: the start never polled"
  sleep 1
  local fan clocks
  fan=$(journal_lines '"fn":"ApplyCoolerLevels"' | tail -1)
  clocks=$(journal_lines '"fn":"ApplyLevelClocks".*"test":false' | wc -l)
  if [ "$1" = restored ]; then
    expect_clock_write "the restore" '"core_khz":760000,'
    [[ $fan == *'"level":80,'* && $fan == *'"policy":1'* ]] || fail "the fan was not restored to 80 %: $fan"
    [ "$(reg_number "$app_key" OverclockRunning)" = 1 ] || fail "the restored overclock left no mark"
  else
    [ "$clocks" = 0 ] || fail "$2: clocks were restored: $(journal_lines ApplyLevelClocks)"
    [[ $fan != *'"policy":1'* ]] || fail "$2: the fan was not given back: $fan"
    [ "${3:-}" != fan ] || [ -n "$fan" ] || fail "$2: no fan was given back"
  fi
  oskara_kill -9
}

start restored
note "with CrashGuard 0 the overclock is restored and the session marked"
"$WINE64" reg delete "$app_key" /v CrashGuard /f >/dev/null 2>&1 || fail "could not delete CrashGuard"
start skipped "after the killed session" fan
[ "$(reg_number "$app_key" OverclockRunning)" = 0 ] || fail "the mark stayed after the start that found it"
note "after a killed session nothing is restored, the fan is automatic and the mark is gone"
"$WINE64" reg add "$app_key" /v LastDriverVersion /t REG_DWORD /d 17000 /f >/dev/null 2>&1 || fail "reg add failed"
start skipped "on a new driver"
note "a new driver version restores nothing either"
