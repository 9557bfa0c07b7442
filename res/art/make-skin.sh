#!/usr/bin/env bash
# Draws the main window's face and shape: 650 x 261, 24-bit. Everything outside the shape is the
# key colour (stored bytes 3C 29 51), cut with a hard edge so every row is one opaque run; the
# tab under the bottom edge carries the clock test's hidden zone.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
key='#51293C'
bold=DejaVu-Sans-Bold
plain=DejaVu-Sans

convert -size 650x261 xc:black +antialias -fill white \
  -draw "roundrectangle 0,0 649,258 16,16" \
  -draw "rectangle 271,259 389,259" -draw "rectangle 287,260 373,260" "$tmp/mask.png"

a=()
# Title band.
a+=(-fill '#1b1e24' -draw 'rectangle 0,0 649,50' -fill '#fcac00' -draw 'rectangle 0,48 649,49'
    -fill '#9a6a00' -draw 'rectangle 0,50 649,50'
    -font "$bold" -pointsize 26 -fill '#fcac00' -annotate +26+37 BRENMAR
    -font "$plain" -pointsize 26 -fill '#f2f2f2' -annotate +188+37 Oskara
    -font "$plain" -pointsize 10 -fill '#8a93a3' -annotate +306+36 'GPU CLOCK CONTROL')
# Panels behind the sliders and under the two rows of buttons.
a+=(-fill '#1b1e24' -stroke '#4a5160' -draw 'roundrectangle 8,86 462,220 8,8' -stroke none
    -draw 'roundrectangle 468,52 594,88 6,6' -draw 'roundrectangle 156,223 426,253 6,6')
# Captions, tracks and the lit windows the value labels are written on.
a+=(-font "$bold" -pointsize 11 -fill '#c9ced8')
for row in "108 Engine Clock" "140 Memory Clock" "172 Shader Clock" "204 Fan Speed"; do
  a+=(-annotate "+18+${row%% *}" "${row#* }")
done
for y in 104 136 168 200; do
  a+=(-fill '#08090b' -draw "rectangle 128,$((y - 1)) 385,$((y + 1))"
      -fill '#4a5160' -draw "line 128,$((y + 2)) 385,$((y + 2))")
done
for box in "92 113" "124 145" "156 177" "190 211"; do
  top=${box% *} bottom=${box#* }
  a+=(-fill '#0b0c0f' -draw "roundrectangle 388,$((top - 1)) 451,$((bottom + 1)) 5,5"
      -fill '#e4d6a8' -draw "roundrectangle 389,$top 450,$bottom 4,4")
done
# Temperature panel: the dark gauge slot and the figure's window.
a+=(-fill '#0d0f12' -stroke '#4a5160' -draw 'roundrectangle 476,88 594,218 8,8' -stroke none
    -fill '#050607' -draw 'rectangle 515,95 589,214'
    -stroke '#3a414d' -draw 'roundrectangle 481,170 510,200 3,3' -stroke none
    -font "$bold" -pointsize 10 -fill '#fcac00' -annotate +482+160 TEMP
    -font "$plain" -pointsize 9 -fill '#8a93a3' -annotate +489+212 '°C')
# The grip on the bottom tab, and a 1-pixel rim.
a+=(-fill '#fcac00' -draw 'rectangle 300,255 360,256'
    -fill none -stroke '#6b7382' -draw 'roundrectangle 0.5,0.5 648.5,257.5 16,16' -stroke none)

convert -size 650x261 gradient:'#3a414d'-'#14171c' "${a[@]}" "$tmp/face.png"
# The key colour inside the face would punch a hole in the window.
convert "$tmp/face.png" -alpha off -fill '#51293D' -opaque "$key" \
  "$tmp/mask.png" -alpha off -compose CopyOpacity -composite \
  -background "$key" -compose Over -flatten -alpha off -type TrueColor BMP3:skin.bmp
