#!/usr/bin/env bash
# Runs one Windows test program in its own fresh Wine prefix with the simulated driver installed
# (unless OSKARA_NO_DRIVER is set), then ends the prefix's wineserver and removes the prefix.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
exe=$1; shift
work=$(mktemp -d "${TMPDIR:-/tmp}/oskara-test.XXXXXX")
XVFB_PID=
trap 'WINEPREFIX="$work/prefix" prefix_end; [ -z "$XVFB_PID" ] || kill "$XVFB_PID"; rm -rf "$work"' EXIT
prefix_new "$work/prefix"
export WINEPREFIX="$work/prefix"
driver=${OSKARA_SIM_DRIVER:-}
if [ -z "${OSKARA_NO_DRIVER:-}" ] && [ -n "$driver" ]; then prefix_install_driver "$WINEPREFIX" "$driver"; fi
[ -n "${DISPLAY:-}" ] || xvfb_start || exit 1
prefix_warm
"$WINE64" "$exe" "$@"
