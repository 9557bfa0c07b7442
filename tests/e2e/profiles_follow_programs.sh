#!/usr/bin/env bash
# Profiles that follow programs, with a stand-in game copied under the rules' names: its profile on
# the card within 2 s of its start and stored nowhere, what ran before (720 MHz, automatic fan) back
# 5 to 6 s after its end, a restart within 5 s writing nothing, a manual Apply that stays after the
# end, and of two programs the first started deciding, then the other.
. "$(dirname "$0")/lib.sh"
e2e_begin

mkdir -p "$WINEPREFIX/drive_c/Games/Quiet"
for copy in fastgame.exe Games/Quiet/calm.exe ghost.exe; do cp "$build/tests/standin-game.exe" "$WINEPREFIX/drive_c/$copy"; done
app_values FollowPrograms=1 "10DE-06C0\\Profile 0" Name=Fast Core=760 Mem=1050 Shader=1520 Fan=60 \
  "10DE-06C0\\Profile 1" Name=Quiet Core=650 Mem=900 Shader=1300 Fan=40 Programs FASTGAME.EXE=Fast ghost.exe=Gone
# A folder's name holds backslashes, which a value's name in a .reg file would need doubled.
"$WINE64" reg add "$app_key\\Programs" /v 'C:\Games\Quiet' /t REG_SZ /d Quiet /f >/dev/null 2>&1 || fail "no folder rule"

mark() { mark=$(wc -l <"$journal"); }
clocks_since_mark() { tail -n +$((mark + 1)) "$journal" | grep -E '"fn":"ApplyLevelClocks".*"test":false'; }
wrote_core() { clocks_since_mark | grep -q "\"core_khz\":$1,"; }
game_start() { "$WINE64" "$WINEPREFIX/drive_c/$1" 60 >/dev/null 2>&1 & }
game_close() { "$WINE64" "$findwindow" "$1" --message 0x10 0 >/dev/null 2>&1 || fail "no window of $1 to close"; }
# expect_on <core MHz> <what> <seconds>: that core clock written since the mark within the time.
expect_on() { wait_until "$3" wrote_core "$1"000 || fail "$2: no $1 MHz within $3 s: $(clocks_since_mark | tail -1)"; }
# expect_back_after_grace <core MHz> <what>: nothing written for the 5 s grace, then that clock by 6 s.
expect_back_after_grace() {
  sleep 4.5
  [ -z "$(clocks_since_mark)" ] || fail "$2: clocks written within the grace: $(clocks_since_mark)"
  expect_on "$1" "$2" 2
}

oskara_start
wait_until 20 window_exists "$title" || fail "the instance never made its window"
expect_cli 0 apply --core 720 --fan auto

mark
game_start fastgame.exe
expect_on 760 "the game's start" 2
fan=$(tail -n +$((mark + 1)) "$journal" | grep '"fn":"ApplyCoolerLevels"' | tail -1)
[[ $fan == *'"level":60,'*'"policy":1'* ]] || fail "the profile's fan of 60 % did not reach the card: $fan"
expect_cli 0 status --json
[ "$(jq -r .profile <<<"$cli_out")" = Fast ] || fail "status does not name Fast as running: $cli_out"
[ "$(reg_number "$app_key" LastCore)" = 720 ] || fail "the program's profile was stored: LastCore $(reg_number "$app_key" LastCore)"
note "Fast on the card within 2 s of the game's start, nothing stored"

mark
game_close fastgame.exe
expect_back_after_grace 720 "the game's end"
[[ $(tail -n +$((mark + 1)) "$journal" | grep '"fn":"ApplyCoolerLevels"' | tail -1) == *'"policy":2'* ]] ||
  fail "the automatic fan did not come back"
note "720 MHz and the automatic fan back 5 to 6 s after the end"

game_start fastgame.exe
mark
expect_on 760 "the second start" 2
game_close fastgame.exe
sleep 2
game_start fastgame.exe
sleep 4
[ "$(clocks_since_mark | wc -l)" = 1 ] || fail "a restart within 5 s wrote clocks: $(clocks_since_mark)"
note "a restart 2 s after the end kept the profile with no write"

expect_cli 0 apply --core 730
mark
game_close fastgame.exe
sleep 7
[ -z "$(clocks_since_mark)" ] || fail "the end after a manual Apply wrote clocks: $(clocks_since_mark)"
note "a manual Apply while the game ran stayed after its end"

mark
game_start ghost.exe
game_start fastgame.exe
expect_on 760 "the first of two" 3
sleep 1
game_start Games/Quiet/calm.exe
sleep 2
! wrote_core 650000 || fail "the second program's profile replaced the first's"
mark
game_close fastgame.exe
expect_on 650 "the first's end while the other runs" 2
mark
game_close calm.exe
expect_back_after_grace 730 "the last one's end"
game_close ghost.exe
note "the first started decided, then the other; a rule without its profile did nothing"
