#!/usr/bin/env bash
# Builds the installer packages out/Oskara-<version>-x64.msi and out/Oskara-<version>-x86.msi
# (per-user, no elevation) from the release builds. Installs what it needs with apt.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
tools/setup.sh
OSKARA_BUILDS="win64 win32" tools/build.sh
tools/make-msi.sh x64 build/win64/bin out
tools/make-msi.sh x86 build/win32/bin out
