#!/usr/bin/env bash
# Draws the temperature gauge: 74 x 119, red at the top through yellow to green at the bottom.
# The dialog copies its bottom rows, so cool readings show green.
set -euo pipefail
cd "$(dirname "$0")/.."
convert \( -size 74x60 gradient:'#e01010'-'#f0e020' \) \( -size 74x59 gradient:'#f0e020'-'#10c030' \) -append \
  -type TrueColor BMP3:gauge.bmp
