#!/usr/bin/env bash
# Starts the staged game from a working directory beside build/bin.
set -euo pipefail
BUILD_DIR=${1:-build}
if [[ -z "${DISPLAY:-}" ]]; then
  echo "No X display is set (DISPLAY is empty): the game needs a screen to open its window." >&2
  echo "Run it from a desktop session, or set DISPLAY." >&2
  exit 1
fi
mkdir -p "$BUILD_DIR/run"
cd "$BUILD_DIR/run"
exec ../bin/talmorak
