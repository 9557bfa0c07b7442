#!/usr/bin/env bash
# The controller emulator stays apart from the program's controller code, and only the demo build
# contains it: sim/tavio includes none of the program's controller headers but the transport
# interface, its libraries hold only its own objects, Oskara.exe holds no emulator code.
# Usage: emulator_apart.sh <source root> <build dir>
set -u
src=$1 build=$2
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

allowed='^(sim/tavio/|tavio/TavioTransport\.h$|tavio/ReportSink\.h$)'
for file in "$src"/sim/tavio/*.h "$src"/sim/tavio/*.cpp; do
  while read -r header; do
    [[ $header =~ $allowed ]] || fail "$(basename "$file") includes \"$header\""
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done

for lib in "$build"/sim/tavio/liboskara_sim_tavio*.a; do
  [ -f "$lib" ] || { fail "no emulator library in $build/sim/tavio"; continue; }
  while read -r member; do
    [ -f "$src/sim/tavio/${member%.obj}" ] || [ -f "$src/sim/tavio/${member%.o}" ] ||
      fail "$(basename "$lib") holds $member, which is not the emulator's"
  done < <(x86_64-w64-mingw32-ar t "$lib")
done

# The log variable's name is the emulator's mark; the program reads it as UTF-16.
mark=$(printf %s OSKARA_SIM_TAVIO_LOG | sed 's/./&\\x00/g')
LC_ALL=C grep -qaP "$mark" "$build/bin/OskaraDemo.exe" || fail "the demo build lacks the emulator, so this check sees nothing"
LC_ALL=C grep -qaP "$mark" "$build/bin/Oskara.exe" && fail "Oskara.exe contains the controller emulator"
LC_ALL=C grep -qa OSKARA_SIM_TAVIO_LOG "$build/bin/Oskara.exe" && fail "Oskara.exe names the emulator's log"
exit $failed
