#!/usr/bin/env bash
# The Options button opens the settings; ticking start with Windows and OK puts the startup
# shortcut in the user's Startup folder and stores the settings shown.
. "$(dirname "$0")/lib.sh"
e2e_begin

oskara_shown
click_client 557 70  # Options
wait_until 10 dialog_shown Settings || fail "the Options button opened no dialog"
version=$("$WINE64" "$findwindow" Settings --text "$(res_id IDC_OPTIONS_VERSION)" | tr -d '\r')
[ "$version" = "Oskara v1.0.1.7" ] || fail "the version label reads '$version'"
click_control Settings "$(res_id IDC_OPTIONS_START_WITH_WINDOWS)"
shot options-ticked
click_control Settings 1  # OK
wait_until 10 eval '! dialog_shown Settings' || fail "OK did not close the dialog"

link=$(find "$WINEPREFIX/drive_c/users" -path '*/Start Menu/Programs/StartUp/Brenmar Oskara.lnk' 2>/dev/null | head -1)
[ -n "$link" ] || fail "no Brenmar Oskara.lnk in the Startup folder"
[ "$(reg_number "$app_key" TavioStepSize)" = 5 ] || fail "OK stored step size '$(reg_value "$app_key" TavioStepSize)'"
[ "$(reg_number "$app_key" ShowEffectiveMemClock)" = 1 ] || fail "OK stored ShowEffectiveMemClock '$(reg_value "$app_key" ShowEffectiveMemClock)'"
note "shortcut made: ${link#"$WINEPREFIX"/}"
