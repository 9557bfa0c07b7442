#!/usr/bin/env bash
# Profiles prepared in the registry come back at exit as the store keeps them: a fan of 300 as its
# low byte, a profile without a shader clock dropped and the rest closed up, nothing read past a gap.
. "$(dirname "$0")/lib.sh"
e2e_begin

card="$app_key\\10DE-06C0"
app_values LastCard=10DE-06C0 \
  "10DE-06C0\\Profile 0" Name=Loud Core=650 Mem=950 Shader=1300 Fan=300 \
  "10DE-06C0\\Profile 1" Name="No shader" Core=900 Mem=1000 Shader=0 Fan=50 \
  "10DE-06C0\\Profile 2" Name=Fast Core=750 Mem=1100 Shader=1500 Fan=110 \
  "10DE-06C0\\Profile 4" Name="Past the gap" Core=700 Mem=1000 Shader=1400 Fan=110
expect_values "$card\\Profile 4" "Name=Past the gap"

oskara_shown
sleep 1  # the card-change box would follow the window within moments
window_absent Oskara || fail "a message box came up although the card did not change"
shot profiles-started
tray_exit
note "started over the prepared profiles and exited"

expect_values "$card\\Profile 0" Name=Loud Core=650 Mem=950 Shader=1300 Fan=44
expect_values "$card\\Profile 1" Name=Fast Core=750 Mem=1100 Shader=1500 Fan=110
profiles=$(reg_subkeys "$card") || fail "could not read $card"
[ "$(sort <<<"$profiles" | tr '\n' ,)" = "Profile 0,Profile 1," ] || fail "the card's key holds $profiles, not only Profile 0 and 1"
expect_values "$app_key" LastCard=10DE-06C0
note "written back: Profile 0 with fan 44, Profile 1 the old Profile 2, nothing from 2 on"
