#!/usr/bin/env bash
# Draws the application icon (a gauge needle on the brand's dark face) at 16, 32 and 48 pixels.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48; do
  r=$((s * 7 / 16)); c=$((s / 2))
  convert -size ${s}x${s} xc:none \
    -fill '#1c1f26' -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $((s / 6)),$((s / 6))" \
    -stroke '#fcac00' -strokewidth $((s / 10 + 1)) -fill none \
    -draw "arc $((c - r + 1)),$((c - r + 1)) $((c + r - 1)),$((c + r - 1)) 150,390" \
    -stroke '#ffe293' -strokewidth $((s / 12 + 1)) -draw "line $c,$c $((c + r * 2 / 3)),$((c - r * 2 / 3))" \
    "$tmp/$s.png"
done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" Oskara.ico
