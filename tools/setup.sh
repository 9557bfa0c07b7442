#!/usr/bin/env bash
# Installs the packages the build and the tests need and prepares the template Wine prefix.
# Quick when everything is already there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake ninja-build ccache g++ googletest libgtest-dev clang libclang-rt-14-dev
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
          wine64 fonts-wine fonts-liberation xvfb x11-utils xdotool imagemagick wixl msitools jq)
# A caller may need more (./bench.sh: its benchmark library and jq).
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
if [ ! -f "$OSKARA_WINE_TEMPLATE/.oskara-ready" ]; then
  echo "setup: creating the template Wine prefix"
  rm -rf "$OSKARA_WINE_TEMPLATE"
  mkdir -p "$OSKARA_WINE_TEMPLATE"
  WINEPREFIX="$OSKARA_WINE_TEMPLATE" "$WINE64" wineboot -i </dev/null >/dev/null 2>&1
  WINEPREFIX="$OSKARA_WINE_TEMPLATE" "$WINESERVER" -w
  # Debian's Wine does not find its own fonts; without them dialog metrics are wrong.
  cp /usr/share/wine/fonts/* "$OSKARA_WINE_TEMPLATE/drive_c/windows/Fonts/"
  touch "$OSKARA_WINE_TEMPLATE/.oskara-ready"
fi
prefix_map_fonts "$OSKARA_WINE_TEMPLATE"
