#!/usr/bin/env bash
# The x64 installer package as a user meets it: a silent per-user install with a Start menu
# shortcut and an installed-programs entry, the installed program running on the simulated card,
# a higher version replacing it in place with the Startup shortcut kept, one of the same three
# version fields refused, and an uninstall that leaves nothing of it but the user's settings.
. "$(dirname "$0")/lib.sh"
e2e_begin

version=$(awk '$1 == "FILEVERSION" { gsub(",", ".", $2); print $2; exit }' "$root/res/Oskara.rc")
# The installer compares three fields: the stale one is an older build of the newer one's three.
IFS=. read -r major minor build revision <<<"$version"
newer=$major.$minor.$((build + 1)).$((revision + 1)) stale=$major.$minor.$((build + 1)).$revision
old_msi=$("$root/tools/make-msi.sh" x64 "$bin" "$work/old") || fail "no package of $version"
new_msi=$("$root/tools/make-msi.sh" x64 "$bin" "$work/new" "$newer") || fail "no package of $newer"
stale_msi=$("$root/tools/make-msi.sh" x64 "$bin" "$work/stale" "$stale") || fail "no package of $stale"
files=$(msiinfo export "$old_msi" File) || fail "msiinfo could not read the package"
[[ $files == *Oskara.exe* && ${files,,} != *nvapi* ]] || fail "the package's files, not Oskara.exe alone: $files"

user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public | head -1)
program="$user_dir/AppData/Local/Programs/Brenmar Oskara"
menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
start_link="$menu/Brenmar Oskara.lnk"
startup_link="$menu/StartUp/Brenmar Oskara.lnk"

# msiexec's status comes back cut to 8 bits (1603 as 67): anything but 0 is a failure.
msi() { "$WINE64" msiexec "$1" "$(winepath_of "$2")" /qn </dev/null >/dev/null 2>&1; }
# Installed-programs entries named Brenmar Oskara, one product code a line.
entries() { local l; l=$("$WINE64" uninstaller --list 2>/dev/null) && tr -d '\r' <<<"$l" | awk -F'|' '$NF == "Brenmar Oskara" { print $1 }'; }
entry_value() {
  local key=Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1
  reg_value "HKCU\\$key" "$2" || reg_value "HKLM\\$key" "$2"
}
expect_one_entry() {
  local codes
  codes=$(entries) || fail "no installed programs list"
  [ "$(wc -l <<<"$codes")" = 1 ] && [ -n "$codes" ] || fail "installed programs list '$codes' after $2"
  [ "$(entry_value "$codes" DisplayVersion)" = "$1" ] || fail "the entry shows version '$(entry_value "$codes" DisplayVersion)', not $1"
  [ "$(entry_value "$codes" Publisher)" = Brenmar ] || fail "the entry shows publisher '$(entry_value "$codes" Publisher)'"
  local packed
  packed=$("$WINE64" reg query 'HKCU\Software\Microsoft\Installer\Products' /s /v ProductIcon 2>/dev/null | tr -d '\r' |
    awk '$1 == "ProductIcon" { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+/, ""); print }')
  [[ $packed == *Oskara.ico* ]] || fail "the entry has no icon: '$packed'"
}

msi /i "$old_msi" || fail "msiexec /i of $version failed"
[ -f "$program/Oskara.exe" ] || fail "no Oskara.exe in ${program#"$WINEPREFIX"/}"
[ -f "$start_link" ] || fail "no Start menu shortcut"
user_path() { reg_value 'HKCU\Environment' PATH; }
[ -f "$program/Oskara.com" ] && [[ $(user_path) == *'\Programs\Brenmar Oskara\' ]] || fail "no Oskara.com on the user's PATH: $(user_path)"
expect_one_entry "$version" "the install"
note "installed $version: program, Start menu shortcut, entry with version, publisher and icon"

"$WINE64" "$program/Oskara.exe" >"$work/oskara.log" 2>&1 &
OSKARA_PID=$!
wait_until 20 main_window_shown || fail "the installed program showed no window"
wait_until 10 journal_has '"fn":"NvAPI_GPU_GetThermalSettings"' || fail "the installed program never read the card"
command_exit
note "the installed program ran on the simulated card"

# What start with Windows in the Settings dialog leaves behind, and a setting of the user's.
mkdir -p "$(dirname "$startup_link")"
cp "$start_link" "$startup_link"
"$WINE64" reg add "$app_key" /v TavioStepSize /t REG_DWORD /d 25 /f >/dev/null 2>&1 || fail "reg add failed"

msi /i "$new_msi" || fail "msiexec /i of $newer failed"
expect_one_entry "$newer" "the upgrade"
[ -f "$program/Oskara.exe" ] && [ -f "$start_link" ] && [ -f "$startup_link" ] || fail "the upgrade lost the program or a shortcut"
note "upgraded in place to $newer, Startup shortcut kept"

! msi /i "$stale_msi" || fail "$stale was installed over $newer"
expect_one_entry "$newer" "$stale was refused"
note "$stale refused over $newer"

msi /x "$new_msi" || fail "msiexec /x failed"
left=$(entries) && [ -z "$left" ] || fail "the installed programs list still holds '$left'"
left=$(find "${program%/*}" "$start_link" "$startup_link" 2>/dev/null)
[ -z "$left" ] || fail "the uninstall left ${left//"$WINEPREFIX"/}"
[ "$(reg_number "$app_key" TavioStepSize)" = 25 ] || fail "the uninstall took the user's settings"
[[ $(user_path) != *Oskara* ]] || fail "the uninstall left the program's folder on the PATH: $(user_path)"
note "uninstalled: no file, folder, shortcut or entry left, settings kept"
