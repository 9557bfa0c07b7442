# Sourced by ./bench.sh: the profile store's cost inside the program, at a full list.
#   store_rounds <runs>: each round stores 63 profiles for the simulated card, starts Oskara.exe,
#   opens Profiles, presses Create (the 64th) and then asks for the exit step's store (a log-off
#   notice, which stores what the exit stores); appends the handlers' microseconds to
#   $work/create-us and $work/exit-us.
store_profiles_reg() {
  local n
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brenmar\\Oskara]\r\n"LastCard"="%s"\r\n' "$1"
  for n in $(seq 0 62); do
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Brenmar\\Oskara\\%s\\Profile %d]\r\n' "$1" "$n"
    printf '"Name"="Profile %d"\r\n"Core"=dword:%08x\r\n"Mem"=dword:%08x\r\n"Shader"=dword:%08x\r\n"Fan"=dword:%08x\r\n' \
      "$n" $((600 + n)) 1000 1400 110
  done
}

store_rounds() {
  local i card=10DE-06C0 profiles_command create_command
  profiles_command=$(awk '$2 == "IDC_PROFILES" { print $3 }' res/resource.h)
  # BN_CLICKED is 0: the command is the button's id alone.
  create_command=$(awk '$2 == "IDC_PROFILES_CREATE" { print $3 }' res/resource.h)
  store_profiles_reg "$card" >"$work/profiles.reg"
  for i in $(seq "$1"); do
    "$WINE64" reg delete 'HKCU\Software\Brenmar\Oskara' /f >/dev/null 2>&1
    "$WINE64" reg import "Z:${work//\//\\}\\profiles.reg" >/dev/null 2>&1 || die "cannot store the profiles"
    launch "$oskara" "$title" visible
    "$WINE64" "$findwindow" "$title" --command "$profiles_command" >/dev/null 2>&1
    local limit=$((SECONDS + 20))
    until window_known Profiles; do
      [ "$SECONDS" -lt "$limit" ] || die "the Profiles dialog did not open"
      sleep 0.1
    done
    "$WINE64" "$findwindow" Profiles --send-timed 0x111 "$create_command" >>"$work/create-us" 2>/dev/null
    "$WINE64" "$findwindow" Profiles --message 0x10 0 >/dev/null 2>&1
    sleep 3
    # WM_ENDSESSION, ending: the exit step's store and the controller's close, in the handler.
    "$WINE64" "$findwindow" "$title" --send-timed 0x16 1 >>"$work/exit-us" 2>/dev/null
    finish "$title" "$exit_command"
  done
  "$WINE64" reg query "HKCU\\Software\\Brenmar\\Oskara\\$card\\Profile 63" >/dev/null 2>&1 ||
    die "Create stored no 64th profile"
}
