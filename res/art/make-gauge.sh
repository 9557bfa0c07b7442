#!/usr/bin/env bash
# Draws the temperature gauge: 74 x 119, red at the top through amber to green at the bottom, in
# lit segments with the slot's dark colour between them. The dialog copies its bottom rows, so
# cool readings show green.
set -euo pipefail
cd "$(dirname "$0")/.."
gaps=()
for ((y = 2; y < 119; y += 4)); do gaps+=(-draw "line 0,$y 73,$y"); done
convert \( -size 74x60 gradient:'#ff3b1f'-'#fcac00' \) \( -size 74x59 gradient:'#fcac00'-'#2fd04a' \) -append \
  +antialias -fill '#050607' "${gaps[@]}" -draw 'rectangle 0,0 2,118' -draw 'rectangle 71,0 73,118' \
  -alpha off -type TrueColor BMP3:gauge.bmp
