#!/usr/bin/env bash
# Oskara.com with no instance running works on the card and the store itself: status as JSON,
# apply, reset, profile, export, import and the round trip, and the refusals that change nothing.
. "$(dirname "$0")/lib.sh"
e2e_begin
profile_key="$app_key\\10DE-06C0\\Profile 0"
writes() { journal_lines '"fn":"Apply(Level|Cooler)' | grep -v '"test":true' | wc -l; }

expect_cli 0 status --json
jq -e '.format == 1 and .card == "10DE-06C0" and .driver_version == "182.50" and .profile == null and
  (.gpus | length) == 1 and .gpus[0].temperature_c == 55 and .gpus[0].core_mhz == 700 and
  .gpus[0].memory_mhz == 2000 and .gpus[0].shader_mhz == 1400 and .gpus[0].fan_percent == 40 and
  .gpus[0].fan_mode == "auto"' <<<"$cli_out" >/dev/null || fail "status --json says: $cli_out"
expect_cli 0 status
grep -q '^0 *55 C *700 MHz *2000 MHz *1400 MHz *40 % auto$' <<<"$cli_out" || fail "the status table says: $cli_out"
note "status read the card"

expect_cli 0 apply --core 650 --memory 1800 --fan 60
expect_clock_write "apply" '"core_khz":650000,' '"memory_khz":900000,' '"shader_khz":1400000}'
[[ $(journal_lines '"fn":"ApplyCoolerLevels"' | tail -1) == *'"level":60,'*'"policy":1'* ]] || fail "the fan of 60 % was not written"
expect_values "$app_key" LastCore=650 LastMem=900 LastShader=1400 LastFan=60
note "apply wrote the card and stored as Apply does"

before=$(writes)
for args in "--core 2000" "--memory 999" "--shader 1863" "--fan 101" "--fan curve" "--volts 1"; do
  # shellcheck disable=SC2086
  expect_cli 2 apply $args
  [ -n "$cli_err" ] && [ "$(wc -l <<<"$cli_err")" = 1 ] || fail "apply $args gave no one-line message: $cli_err"
done
expect_cli 2 profile "No such"
[ "$(writes)" = "$before" ] || fail "a refused command wrote to the card"
[ "$(reg_number "$app_key" LastCore)" = 650 ] || fail "a refused command changed the stored clocks"
note "out-of-range values, the curve without the program and an unknown profile were refused"

cat >"$work/in.txt" <<'TXT'
# two profiles
[profile]
name = "Quiet"
core = 650
memory = 900
shader = 1300
fan = 40

[profile]
name = Loud one
core = 900
memory = 1300
shader = 1800
fan = auto
TXT
expect_cli 0 import "$(winepath_of "$work/in.txt")"
expect_values "$profile_key" Name=Quiet Fan=40
expect_cli 0 export "$(winepath_of "$work/out.txt")"
expect_cli 0 import "$(winepath_of "$work/out.txt")" --replace
expect_cli 0 export "$(winepath_of "$work/again.txt")"
cmp -s "$work/out.txt" "$work/again.txt" || fail "export, import, export changed the file: $(diff "$work/out.txt" "$work/again.txt")"
grep -q '^name = "Loud one"$' "$work/out.txt" || fail "the export lacks the second profile: $(cat "$work/out.txt")"
expect_cli 0 profiles --json
[ "$(jq -r '[.profiles[].name] | join(",")' <<<"$cli_out")" = "Quiet,Loud one" ] || fail "profiles --json says: $cli_out"
note "import, export and the round trip kept the profiles"

sed 's/core = 900/core = 9000/' "$work/in.txt" >"$work/bad.txt"
printf '[profile]\nname = \xff\n' >"$work/binary.txt"
for file in bad binary missing; do
  expect_cli 2 import "$(winepath_of "$work/$file.txt")"
done
[[ $cli_err == *missing.txt* ]] || fail "the unreadable file was not named: $cli_err"
expect_cli 2 import "$(winepath_of "$work/bad.txt")"
[[ $cli_err == *"line 11:"* ]] || fail "the refusal does not name line 11: $cli_err"
[ "$(reg_key_exists "$app_key\\10DE-06C0\\Profile 2" && echo yes)" != yes ] || fail "a refused import stored a profile"
note "a bad file was refused with its line and nothing stored"

expect_cli 0 profile quiet
expect_clock_write "profile" '"core_khz":650000,' '"memory_khz":900000,' '"shader_khz":1300000}'
[ "$(reg_number "$app_key" LastCore)" = 650 ] && [ "$(reg_number "$app_key" LastFan)" = 40 ] || fail "the profile was not stored"
expect_cli 0 reset
expect_clock_write "reset" '"core_khz":700000,' '"memory_khz":1000000,' '"shader_khz":1400000}'
note "profile and reset reached the card"

echo "fail ApplyLevelClocks -1" >"$work/faults.txt"
OSKARA_SIM_FAULTS="$work/faults.txt" expect_cli 3 apply --core 660
rm "$WINEPREFIX/drive_c/windows/system32/nvapi64.dll"
expect_cli 1 status
note "a refused write ended with 3, no driver with 1"
