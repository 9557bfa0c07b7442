#!/usr/bin/env bash
# Configures (once) and builds the configurations: host core with sanitizers, the fuzz targets
# (clang, libFuzzer), Windows x64, Windows x86.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Two cores: a compiler cache shared by every checkout of the tree (paths taken relative to it)
# keeps a fresh clone or a second work tree from compiling everything again.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
configure() {
  local dir=$1; shift
  [ -f "$root/build/$dir/build.ninja" ] ||
    cmake -S "$root" -B "$root/build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
}
configure host
configure fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DOSKARA_TESTS=OFF -DOSKARA_FUZZ=ON
configure win64 -DCMAKE_TOOLCHAIN_FILE="$root/tools/cmake/mingw-x86_64.cmake"
configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/tools/cmake/mingw-i686.cmake" -DOSKARA_TESTS=OFF
for dir in ${OSKARA_BUILDS:-host fuzz win64 win32}; do
  log="$root/build/$dir/last-build.log"
  if ! cmake --build "$root/build/$dir" -- -j2 >"$log" 2>&1; then
    grep -v '^\[[0-9]*/[0-9]*\]' "$log" | tail -60 >&2
    echo "build: $dir failed" >&2
    exit 1
  fi
done
