#!/usr/bin/env bash
# Draws the six buttons' images, each exactly its button's size, in a normal and a hover look.
# The rounded corners are 0xFEFEFE, the colour that lets the button's face show, which the window
# sets to the skin's colour under the button; that colour appears nowhere else. The edge is blended
# with the skin's panel colour, so it meets the skin without a seam.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
panel='#1b1e24'

# button <file> <width> <height> <label> <pointsize> <hover: 0 or 1>
button() {
  local file=$1 w=$2 h=$3 label=$4 size=$5 hover=$6 top bottom border ink
  if [ "$hover" = 1 ]; then top='#ffc640' bottom='#d98c00' border='#ffe293' ink='#15181d'
  else top='#444c5a' bottom='#23272f' border='#5f6878' ink='#fcac00'; fi
  convert -size "${w}x${h}" gradient:"$top"-"$bottom" "$tmp/fill.png"
  convert -size "${w}x${h}" xc:"$panel" -stroke "$border" -tile "$tmp/fill.png" \
    -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 4,4" +tile -stroke none \
    -gravity center -font DejaVu-Sans-Bold -pointsize "$size" -fill "$ink" -annotate +1+1 "$label" \
    -alpha off -fill '#FFFFFF' -opaque '#FEFEFE' -fill '#FEFEFE' -opaque "$panel" \
    -type TrueColor BMP3:"$file"
}

button button-options-hover.bmp 55 28 Options 9 1     # 139
button button-close-normal.bmp 27 28 '✕' 12 0          # 140
button button-close-hover.bmp 27 28 '✕' 12 1           # 141
button button-minimize-normal.bmp 27 28 '–' 12 0       # 142
button button-minimize-hover.bmp 27 28 '–' 12 1        # 143
button button-options-normal.bmp 55 28 Options 9 0    # 144
button button-apply-hover.bmp 85 22 Apply 11 1         # 145
button button-apply-normal.bmp 85 22 Apply 11 0        # 146
button button-reset-normal.bmp 85 22 Reset 11 0        # 147
button button-reset-hover.bmp 85 22 Reset 11 1         # 149
button button-profiles-normal.bmp 72 19 Profiles 10 0  # 155
button button-profiles-hover.bmp 72 19 Profiles 10 1   # 156
