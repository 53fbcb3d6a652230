#!/usr/bin/env bash
# The difficulties measured (tools/playcalibration): the scripted players'
# headless games at every difficulty, at 20 and at 60 frames a second, as
# Markdown tables on standard output. The tutorial's technique plays 40
# seeded games a cell, at a person's and at a slow person's reaction; the
# expert plays 100.
#
# usage: scripts/calibrate.sh [build dir, default build] [games, default 40] [expert games, default 100]
# Needs a built game and Xvfb; takes about a minute.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
GAMES=${2:-40}
EXPERT_GAMES=${3:-100}

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR: build it first (make build)." >&2
  exit 1
fi
cmake --build "$BUILD_DIR" --target play_calibration > /dev/null
cd "$BUILD_DIR/run"
export SDL_AUDIODRIVER=dummy
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$BUILD_DIR/helpers/play_calibration" "$GAMES" technique slow 2> /dev/null
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$BUILD_DIR/helpers/play_calibration" "$EXPERT_GAMES" expert 2> /dev/null
