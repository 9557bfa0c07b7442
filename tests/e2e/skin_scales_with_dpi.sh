#!/usr/bin/env bash
# The skinned window at the prefix's LogPixels 96, 144 and 192: the window's size, its shape at a
# few points and Apply's hit rectangle all take the whole factor (1, 2, 2). A screenshot at 192.
. "$(dirname "$0")/lib.sh"
e2e_begin

pixel() { convert "$1" -format "%[hex:u.p{$2,$3}]" info:; }
for case in 96:1 144:2 192:2; do
  dpi=${case%:*} f=${case#*:}
  "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || fail "reg add failed"
  # Wine reads the DPI when its server starts.
  prefix_end; prefix_warm
  oskara_shown
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$(main_window)")"
  [ "$WIDTH" = $((762 * f)) ] && [ "$HEIGHT" = $((327 * f)) ] || fail "the window is ${WIDTH}x$HEIGHT at $dpi DPI"
  read -r left top right bottom <<<"$("$WINE64" "$findwindow" "$title" --rect "$(res_id IDC_APPLY)" | tr -d '\r')"
  [ "$left $top $right $bottom" = "$((X + 334 * f)) $((Y + 227 * f)) $((X + 419 * f)) $((Y + 249 * f))" ] ||
    fail "Apply hits at $left $top $right $bottom at $dpi DPI"
  xdotool mousemove 1020 760
  shot "skin-dpi-$dpi"
  s="$shots/skin-dpi-$dpi.png"
  desktop=$(pixel "$s" 1020 760)
  [ "$(pixel "$s" $((X + f)) $((Y + f)))" = "$desktop" ] || fail "the corner is not cut away at $dpi DPI"
  [ "$(pixel "$s" $((X + 270 * f)) $((Y + 259 * f)))" = "$desktop" ] || fail "beside the tab is not cut away at $dpi DPI"
  [ "$(pixel "$s" $((X + 300 * f)) $((Y + 259 * f + f - 1)))" != "$desktop" ] || fail "the bottom tab is missing at $dpi DPI"
  [ "$(pixel "$s" $((X + 20 * f)) $((Y + 20 * f)))" = 1B1E24 ] || fail "the title band is not drawn at $dpi DPI"
  note "$dpi DPI: factor $f, ${WIDTH}x$HEIGHT, Apply at $left $top $right $bottom"
  command_exit
done
