# Sourced by the scripts: the project's own Wine prefixes and X displays, never the user's.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export OSKARA_WINE_TEMPLATE="$root/.cache/wine-template"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# A private prefix made from the template: the large program files are hard links (Wine only
# reads them), everything Wine may rewrite in place is a real copy.
prefix_new() {
  local dst=$1
  cp -al "$OSKARA_WINE_TEMPLATE" "$dst"
  (cd "$OSKARA_WINE_TEMPLATE" && find . -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' \
      -o -iname '*.sys' -o -iname '*.fon' -o -iname '*.ttf' -o -iname '*.ocx' -o -iname '*.acm' \
      -o -iname '*.cpl' -o -iname '*.tlb' -o -iname '*.ax' -o -iname '*.ds' -o -iname '*.com' \) -print0) |
    while IFS= read -r -d '' f; do cp --remove-destination "$OSKARA_WINE_TEMPLATE/$f" "$dst/$f"; done
}

# Wine has no Arial, which the window's labels ask for; Liberation Sans is made to its metrics. A
# prefix made before this mapping existed gets it the next time a script uses it.
prefix_map_fonts() {
  local prefix=$1
  [ ! -f "$prefix/.oskara-fonts" ] || return 0
  echo "setup: drawing Arial as Liberation Sans in $prefix"
  WINEPREFIX="$prefix" "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v Arial /t REG_SZ /d 'Liberation Sans' /f </dev/null >/dev/null 2>&1 || return 1
  WINEPREFIX="$prefix" "$WINESERVER" -w
  touch "$prefix/.oskara-fonts"
}

# Wine expects a window manager to take each window it shows or hides and, on a display with none,
# waits two seconds for it whenever a window is hidden: a dialog's OK, the minimise button or a
# message box's OK is taken at once, but the screen stands still meanwhile.
# prefix_window_manager <prefix> none: Wine places the windows itself; <prefix> present: Wine's
# default. The tests keep the default: their window positions are Wine's managed ones.
prefix_window_manager() {
  local prefix=$1 wm=$2 key='HKCU\Software\Wine\X11 Driver'
  [ ! -f "$prefix/.oskara-wm-$wm" ] || return 0
  if [ "$wm" = none ]; then
    WINEPREFIX="$prefix" "$WINE64" reg add "$key" /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 || return 1
  else
    WINEPREFIX="$prefix" "$WINE64" reg delete "$key" /v Managed /f </dev/null >/dev/null 2>&1 || true
  fi
  WINEPREFIX="$prefix" "$WINESERVER" -w
  rm -f "$prefix"/.oskara-wm-*
  touch "$prefix/.oskara-wm-$wm"
}

# Whether the display has a window manager (one that says so, as every current one does).
display_window_manager() {
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then echo present; else echo none; fi
}

# Installs a driver library into the prefix's system folder, as a driver installer would.
prefix_install_driver() {
  local prefix=$1 dll=$2
  cp "$dll" "$prefix/drive_c/windows/system32/$(basename "$dll")"
}

# Starts the prefix's wineserver and its helpers with their output away from the caller's pipes,
# so that later programs start fast and ctest does not wait on inherited pipes.
prefix_warm() {
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

prefix_end() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
}

# Starts a private Xvfb on a display number the server itself finds free (parallel runs never
# share one) and exports DISPLAY; its pid goes to XVFB_PID.
xvfb_start() {
  local out n=
  out=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$out" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do
    n=$(head -1 "$out")
    [ -n "$n" ] && break
    sleep 0.05
  done
  rm -f "$out"
  [ -n "$n" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$n"
}
