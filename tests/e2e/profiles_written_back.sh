#!/usr/bin/env bash
# Profiles prepared in the registry come back at exit as the store keeps them: a fan of 300 as its
# low byte, a profile without a shader clock dropped and the rest closed up, nothing read past a gap.
. "$(dirname "$0")/lib.sh"
e2e_begin

card="$app_key\\10DE-06C0"
cat >"$work/profiles.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Brenmar\Oskara]
"LastCard"="10DE-06C0"

[HKEY_CURRENT_USER\Software\Brenmar\Oskara\10DE-06C0\Profile 0]
"Name"="Loud"
"Core"=dword:0000028a
"Mem"=dword:000003b6
"Shader"=dword:00000514
"Fan"=dword:0000012c

[HKEY_CURRENT_USER\Software\Brenmar\Oskara\10DE-06C0\Profile 1]
"Name"="No shader"
"Core"=dword:00000384
"Mem"=dword:000003e8
"Shader"=dword:00000000
"Fan"=dword:00000032

[HKEY_CURRENT_USER\Software\Brenmar\Oskara\10DE-06C0\Profile 2]
"Name"="Fast"
"Core"=dword:000002ee
"Mem"=dword:0000044c
"Shader"=dword:000005dc
"Fan"=dword:0000006e

[HKEY_CURRENT_USER\Software\Brenmar\Oskara\10DE-06C0\Profile 4]
"Name"="Past the gap"
"Core"=dword:000002bc
"Mem"=dword:000003e8
"Shader"=dword:00000578
"Fan"=dword:0000006e
REG
reg_import "$work/profiles.reg"
[ "$(reg_value "$card\\Profile 4" Name)" = "Past the gap" ] || fail "the prepared profiles did not reach the registry"

oskara_start
wait_until 20 main_window_shown || fail "the main window never appeared"
sleep 1  # the card-change box would follow the window within moments
window_absent Oskara || fail "a message box came up although the card did not change"
shot profiles-started
tray_menu_click 10  # "E&xit Oskara"
wait_until 15 process_ended "$OSKARA_PID" || fail "exit from the tray menu did not end the program"
OSKARA_PID=
note "started over the prepared profiles and exited"

# expect <profile> <name> <core> <mem> <shader> <fan>
expect() {
  local key="$card\\Profile $1" value want got
  shift
  [ "$(reg_value "$key" Name)" = "$1" ] || fail "${key##*\\} is named '$(reg_value "$key" Name)', not '$1'"
  shift
  for value in Core Mem Shader Fan; do
    want=$1; shift
    got=$(reg_number "$key" "$value") || fail "${key##*\\} has no $value"
    [ "$got" = "$want" ] || fail "${key##*\\} has $value $got, not $want"
  done
}
expect 0 Loud 650 950 1300 44
expect 1 Fast 750 1100 1500 110
profiles=$(reg_subkeys "$card") || fail "could not read $card"
[ "$(sort <<<"$profiles" | tr '\n' ,)" = "Profile 0,Profile 1," ] || fail "the card's key holds $profiles, not only Profile 0 and 1"
[ "$(reg_value "$app_key" LastCard)" = 10DE-06C0 ] || fail "LastCard is '$(reg_value "$app_key" LastCard)'"
note "written back: Profile 0 with fan 44, Profile 1 the old Profile 2, nothing from 2 on"
