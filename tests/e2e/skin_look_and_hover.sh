#!/usr/bin/env bash
# The skinned window as a user sees it: cut to the skin's shape (the desktop shows at its corner
# and beside the bottom tab), orange thumbs, value labels written over the skin's lit windows,
# and the hover image on Apply while the pointer is over it. Screenshots at rest and hovered.
. "$(dirname "$0")/lib.sh"
e2e_begin

# pixel <shot> <x> <y>: RRGGBB of a screen pixel.
pixel() { convert "$1" -format "%[hex:u.p{$2,$3}]" info:; }
# count_colour <shot> <x> <y> <w> <h> <#RRGGBB>: pixels of exactly that colour in the rectangle.
count_colour() { convert "$1" -crop "$4x$5+$2+$3" +repage txt:- | grep -ci -- "$6" || true; }
# bright_share <shot> <x> <y> <w> <h>: share of the rectangle whose red is above 80 %.
bright_share() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -channel R -separate -threshold 80% -format '%[fx:int(mean*100)]' info:
}

oskara_shown
wait_until 5 eval '[ "$(control_text 1006)" = 55 ]' || fail "no temperature shown: '$(control_text 1006)'"
win=$(main_window)
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove 1000 740
sleep 1
shot skin-at-rest
rest="$shots/skin-at-rest.png"

desktop=$(pixel "$rest" 1020 760)
[ "$(pixel "$rest" $((X + 1)) $((Y + 1)))" = "$desktop" ] || fail "the corner (1, 1) is not cut away"
[ "$(pixel "$rest" $((X + 270)) $((Y + 259)))" = "$desktop" ] || fail "the bottom row left of the tab is not cut away"
[ "$(pixel "$rest" $((X + 300)) $((Y + 259)))" != "$desktop" ] || fail "the bottom tab is missing"
[ "$(pixel "$rest" $((X + 20)) $((Y + 20)))" = 1B1E24 ] || fail "the title band is not drawn from the skin"
note "window cut to the skin: desktop $desktop at the corner and beside the tab"

thumb=$(count_colour "$rest" $((X + 120)) $((Y + 92)) 268 26 '#FCAC00')
[ "$thumb" -ge 40 ] || fail "the core slider shows $thumb orange thumb pixels"
ink=$(count_colour "$rest" $((X + 389)) $((Y + 92)) 61 21 '#000000')
lit=$(count_colour "$rest" $((X + 389)) $((Y + 92)) 61 21 '#E4D6A8')
[ "$ink" -ge 10 ] && [ "$lit" -ge 300 ] || fail "the core label shows $ink text and $lit lit-window pixels"
note "core thumb $thumb orange pixels; core label $ink text pixels over $lit of the lit window"

resting=$(bright_share "$rest" $((X + 334)) $((Y + 227)) 85 22)
xdotool mousemove $((X + 376)) $((Y + 238))
sleep 1
shot skin-apply-hovered
hovered=$(bright_share "$shots/skin-apply-hovered.png" $((X + 334)) $((Y + 227)) 85 22)
[ "$resting" -le 30 ] && [ "$hovered" -ge 60 ] || fail "Apply is bright over $resting % at rest and $hovered % hovered"
xdotool mousemove 1000 740
sleep 1
shot skin-apply-left
left=$(bright_share "$shots/skin-apply-left.png" $((X + 334)) $((Y + 227)) 85 22)
[ "$left" -le 30 ] || fail "Apply stayed bright ($left %) after the pointer left"
note "Apply bright over $resting % at rest, $hovered % hovered, $left % after leaving"

command_exit
