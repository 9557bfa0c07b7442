#!/usr/bin/env bash
# A profile created in the Profiles dialog, reached from the main window with real clicks, is in
# the registry at once: the process killed right after loses nothing, and the next start keeps it.
. "$(dirname "$0")/lib.sh"
e2e_begin
card="$app_key\\10DE-06C0"

oskara_shown
click_client 199 236  # Profiles
wait_until 10 dialog_shown Profiles || fail "the Profiles button opened no dialog"
shot profiles-open
click_control Profiles "$(res_id IDC_PROFILES_CREATE)"
wait_until 10 reg_value "$card\\Profile 0" Name || fail "Create stored no profile before any exit"
expect_values "$card\\Profile 0" "Name=New Profile" Mem=1000
shot profiles-created
note "created and stored while the dialog is open"

oskara_kill -9
# Wine's server forgets the killed process's windows on its own time.
wait_until 15 eval '! window_exists "$title"' || fail "the killed program's window stayed"

oskara_shown
tray_exit
expect_values "$card\\Profile 0" "Name=New Profile" Core=700
note "the next start loaded the profile and stored it back"
