#!/usr/bin/env bash
# Builds the Windows package, <build>/talmorak-arena-<version>-win64.zip, from
# a finished native build (first argument, default build/), whose generated
# data and icon it takes unchanged:
#   1. the libraries, cross-built once from Debian's sources (build-deps.sh),
#   2. the game, cross-built with cmake/mingw-w64-x86_64.cmake into
#      <build>/windows/game,
#   3. the package (package.py, through the windows_package target).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR=$(realpath -m "${1:-$ROOT/build}")
WIN_DIR=$BUILD_DIR/windows
export JOBS=${JOBS:-2}

started=$(date +%s)
bash "$ROOT/scripts/windows/build-deps.sh" "$WIN_DIR"
echo "windows: libraries ready after $(( $(date +%s) - started )) s"

cmake -S "$ROOT" -B "$WIN_DIR/game" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DWINDOWS_DEPS_PREFIX="$WIN_DIR/deps" -DNATIVE_BUILD_DIR="$BUILD_DIR" >/dev/null
nice -n 10 cmake --build "$WIN_DIR/game" -j "$JOBS"
cmake --build "$WIN_DIR/game" --target windows_package
echo "windows: package ready after $(( $(date +%s) - started )) s"
